#pragma once
// Files and folders: the app's home folder (laid out like the phone's sandbox),
// the read-only resources folder, whole-file atomic writes, and the few tree
// operations the caches need. Nothing here throws; failures are return values.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;

inline constexpr char kDocumentsFolder[] = "Documents";
inline constexpr char kLibraryFolder[] = "Library";
inline constexpr char kCachesFolder[] = "Library/Caches";
inline constexpr char kPreferencesFolder[] = "Library/Preferences";
inline constexpr char kTemporaryFolder[] = "tmp";

// The home folder. setHomeDirectory creates it with Documents/, Library/Caches/,
// Library/Preferences/ and tmp/ (returns false when it cannot; an empty path is
// refused and changes nothing). Without a call, the home is $XDG_DATA_HOME/vorn
// (or ~/.local/share/vorn), created on first use.
bool setHomeDirectory(const std::string& path);
std::string homeDirectory();
std::string documentsDirectory();
std::string cachesDirectory();
std::string preferencesDirectory();
std::string temporaryDirectory();

// The source tree the program was built from (its fixtures and goldens live there).
std::string sourceDirectory();
// The read-only resources folder (sourceDirectory() + "/resources" unless set).
void setResourcesDirectory(const std::string& path);
std::string resourcesDirectory();
// resourcesDirectory()/name.
std::string resourcePath(std::string_view name);

// `folder` + "/" + `name` (no doubled "/").
std::string joinPath(std::string_view folder, std::string_view name);

// Writes the whole file or nothing: a temporary file in the same folder, fsync,
// rename over the target. On failure the earlier file (if any) is untouched and
// the result is false. The folder must exist.
bool writeFileAtomically(const std::string& path, std::string_view bytes);
bool writeFileAtomically(const std::string& path, const Bytes& bytes);

// The temporary files of atomic writes are named "." + target + kAtomicWriteMarker
// + six characters. A write cut short by a kill leaves one behind; at launch,
// before anything writes, removeAtomicWriteLeftovers deletes every such file
// under a folder (links not followed) and returns how many it removed.
inline constexpr char kAtomicWriteMarker[] = ".tmp-";
bool isAtomicWriteLeftover(std::string_view name);
std::size_t removeAtomicWriteLeftovers(const std::string& folder);

// Renames a file that must not be lost (a damaged one the client cannot read)
// to path + suffix, or path + suffix + "-2", "-3"... when that is taken; the new
// path, or nullopt when nothing was there or the rename failed.
std::optional<std::string> moveItemAside(const std::string& path, std::string_view suffix);

// The whole file; nullopt when it is absent, not a regular file, or unreadable.
std::optional<Bytes> readFile(const std::string& path);
std::optional<std::string> readFileText(const std::string& path);

bool fileExists(const std::string& path);   // anything at the path (a dangling link counts)
bool isDirectory(const std::string& path);  // a folder (links followed)
bool isRegularFile(const std::string& path);

// Creates the folder and any missing parent; true when it exists as a folder afterwards.
bool createDirectory(const std::string& path);
// Removes a file, a link (not its target) or a whole tree. True when nothing is
// left at the path (also when nothing was there).
bool removeItem(const std::string& path);
// Entry names of a folder (no "." and ".."), sorted; empty when it cannot be listed.
std::vector<std::string> listDirectory(const std::string& path);

// Bytes under a folder: every regular file and symbolic link adds its own lstat
// size (links are not followed), every sub-folder adds its contents and its own
// entry size, other entries add nothing. A folder that cannot be opened counts 0.
std::uint64_t folderSize(const std::string& path);

// A file name for a key made from outside text, that always stays inside its
// folder: "%" , "/" and NUL are escaped as "%25", "%2F", "%00"; a name longer
// than kMaxSafeFileNameBytes becomes the start of the name, "#" and the SHA-1
// hex digest of the key. Empty, "." and ".." cannot be stored: nullopt.
inline constexpr std::size_t kMaxSafeFileNameBytes = 200;
std::optional<std::string> safeFileName(std::string_view key);

}  // namespace platform
