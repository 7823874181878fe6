#include "platform/foundation/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/foundation/Text.h"

#ifndef VORN_SOURCE_DIR
#define VORN_SOURCE_DIR "."
#endif

namespace platform {

std::string sourceDirectory() { return VORN_SOURCE_DIR; }

namespace {

std::mutex& pathsMutex() {
  static std::mutex m;
  return m;
}
std::string& homeSetting() {
  static std::string home;
  return home;
}
std::string& resourcesSetting() {
  static std::string resources = sourceDirectory() + "/resources";
  return resources;
}

std::string defaultHome() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return joinPath(xdg, "vorn");
  if (const char* home = std::getenv("HOME"); home && *home) return joinPath(home, ".local/share/vorn");
  return "/tmp/vorn-home";
}

bool makeHomeLayout(const std::string& home) {
  bool ok = createDirectory(home);
  for (const char* sub : {kDocumentsFolder, kCachesFolder, kPreferencesFolder, kTemporaryFolder}) {
    ok = createDirectory(joinPath(home, sub)) && ok;
  }
  return ok;
}

std::string parentOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool writeAtomically(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (path.empty() || path.back() == '/') return false;
  const std::string folder = parentOf(path);
  const std::string base = baseNameOf(path);
  // The temporary name stays within the file-name limit of the folder.
  std::string pattern = base.size() <= 200 ? "." + base + kAtomicWriteMarker + "XXXXXX"
                                           : std::string(kAtomicWriteMarker) + "XXXXXX";
  std::string tmp = joinPath(folder, pattern);
  std::vector<char> name(tmp.begin(), tmp.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, data, size) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(name.data(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(name.data());
    return false;
  }
  // Make the rename itself durable.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

template <typename Buffer>
std::optional<Buffer> readWhole(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  Buffer out;
  out.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[65536];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    out.insert(out.end(), chunk, chunk + n);
  }
  ::close(fd);
  return out;
}

std::uint64_t sizeOfContents(const std::string& path) {
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return 0;
  std::uint64_t total = 0;
  while (struct dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    std::string child = joinPath(path, entry->d_name);
    struct stat st {};
    if (::lstat(child.c_str(), &st) != 0) continue;
    if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) {
      total += static_cast<std::uint64_t>(st.st_size);
    } else if (S_ISDIR(st.st_mode)) {
      total += sizeOfContents(child) + static_cast<std::uint64_t>(st.st_size);
    }
  }
  ::closedir(dir);
  return total;
}

bool removeTree(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISDIR(st.st_mode)) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
  if (DIR* dir = ::opendir(path.c_str())) {
    while (struct dirent* entry = ::readdir(dir)) {
      if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
      removeTree(joinPath(path, entry->d_name));
    }
    ::closedir(dir);
  }
  return ::rmdir(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace

bool setHomeDirectory(const std::string& path) {
  if (path.empty()) return false;  // a relative home would scatter files into the working folder
  std::string home = path;
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  {
    std::lock_guard<std::mutex> lock(pathsMutex());
    homeSetting() = home;
  }
  return makeHomeLayout(home);
}

std::string homeDirectory() {
  std::string home;
  bool fresh = false;
  {
    std::lock_guard<std::mutex> lock(pathsMutex());
    if (homeSetting().empty()) {
      homeSetting() = defaultHome();
      fresh = true;
    }
    home = homeSetting();
  }
  if (fresh) makeHomeLayout(home);
  return home;
}

std::string documentsDirectory() { return joinPath(homeDirectory(), kDocumentsFolder); }
std::string cachesDirectory() { return joinPath(homeDirectory(), kCachesFolder); }
std::string preferencesDirectory() { return joinPath(homeDirectory(), kPreferencesFolder); }
std::string temporaryDirectory() { return joinPath(homeDirectory(), kTemporaryFolder); }

void setResourcesDirectory(const std::string& path) {
  std::lock_guard<std::mutex> lock(pathsMutex());
  resourcesSetting() = path;
}

std::string resourcesDirectory() {
  std::lock_guard<std::mutex> lock(pathsMutex());
  return resourcesSetting();
}

std::string resourcePath(std::string_view name) { return joinPath(resourcesDirectory(), name); }

std::string joinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string out(folder);
  if (out.back() != '/') out += '/';
  while (!name.empty() && name.front() == '/') name.remove_prefix(1);
  out += name;
  return out;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
  return writeAtomically(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool writeFileAtomically(const std::string& path, const Bytes& bytes) {
  return writeAtomically(path, bytes.data(), bytes.size());
}

std::optional<Bytes> readFile(const std::string& path) { return readWhole<Bytes>(path); }
std::optional<std::string> readFileText(const std::string& path) { return readWhole<std::string>(path); }

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool createDirectory(const std::string& path) {
  if (path.empty()) return false;
  if (isDirectory(path)) return true;
  std::string parent = parentOf(path);
  if (parent != path && !isDirectory(parent)) createDirectory(parent);
  if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
  return isDirectory(path);
}

bool removeItem(const std::string& path) {
  if (path.empty()) return false;
  return removeTree(path);
}

std::vector<std::string> listDirectory(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return names;
  while (struct dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::uint64_t folderSize(const std::string& path) { return sizeOfContents(path); }

std::optional<std::string> moveItemAside(const std::string& path, std::string_view suffix) {
  if (!fileExists(path)) return std::nullopt;
  std::string aside = path + std::string(suffix);
  for (int n = 2; fileExists(aside); ++n) aside = path + std::string(suffix) + "-" + std::to_string(n);
  if (::rename(path.c_str(), aside.c_str()) != 0) return std::nullopt;
  return aside;
}

bool isAtomicWriteLeftover(std::string_view name) {
  // "." + the target's name + ".tmp-" + six characters, or ".tmp-" + six.
  constexpr std::size_t kMarker = sizeof(kAtomicWriteMarker) - 1, kUnique = 6;
  if (name.size() < kMarker + kUnique || name.front() != '.') return false;
  return name.substr(name.size() - kUnique - kMarker, kMarker) == kAtomicWriteMarker;
}

std::size_t removeAtomicWriteLeftovers(const std::string& folder) {
  std::size_t removed = 0;
  std::vector<std::string> pending{folder};
  while (!pending.empty()) {
    const std::string current = std::move(pending.back());
    pending.pop_back();
    for (const std::string& name : listDirectory(current)) {
      const std::string path = joinPath(current, name);
      struct stat st {};
      if (::lstat(path.c_str(), &st) != 0) continue;
      if (S_ISDIR(st.st_mode)) {
        pending.push_back(path);
      } else if (S_ISREG(st.st_mode) && isAtomicWriteLeftover(name) && ::unlink(path.c_str()) == 0) {
        ++removed;
      }
    }
  }
  return removed;
}

std::optional<std::string> safeFileName(std::string_view key) {
  if (key.empty() || key == "." || key == "..") return std::nullopt;
  std::string name;
  name.reserve(key.size());
  for (char c : key) {
    switch (c) {
      case '%': name += "%25"; break;
      case '/': name += "%2F"; break;
      case '\0': name += "%00"; break;
      default: name += c;
    }
  }
  if (name.size() <= kMaxSafeFileNameBytes) return name;
  // Keep a readable start, cut on a character boundary and never inside an escape.
  std::size_t keep = 150;
  while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  if (keep >= 1 && name[keep - 1] == '%') keep -= 1;
  else if (keep >= 2 && name[keep - 2] == '%') keep -= 2;
  return name.substr(0, keep) + "#" + sha1Hex(key);
}

}  // namespace platform
