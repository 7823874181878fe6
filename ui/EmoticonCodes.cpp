#include "ui/EmoticonCodes.h"

#include "net/PortalHosts.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/Url.h"
#include "platform/foundation/Value.h"
#include "platform/ui/EmojiLabel.h"
#include "ui/ExpressionTable.h"

namespace vorn {

std::string forumHostName() {
  const auto url = platform::parseUrl(PortalHosts::baseUrl(PortalHost::Forum));
  return url ? url->hostAndPort() : std::string();
}

std::map<std::string, std::string> loadEmoticonPictures() {
  std::map<std::string, std::string> pictures;
  const auto path = platform::Bundle::mainBundle().pathForResource(kExpressionPicturesFile);
  if (!path) return pictures;
  const auto table = platform::readPlistFile(*path);
  if (!table || !table->is_object()) return pictures;
  for (auto it = table->begin(); it != table->end(); ++it) {
    const std::string picture = platform::plainTextOf(it.value());
    if (!picture.empty()) pictures[it.key()] = picture;
  }
  return pictures;
}

void installEmoticonPattern() {
  platform::EmojiLabel::setForumHost(forumHostName());
  platform::EmojiLabel::setEmoticonPictures(loadEmoticonPictures());
}

const platform::Regex& emoticonPattern() { return platform::EmojiLabel::emoticonPattern(); }

}  // namespace vorn
