#pragma once
// The forum's emoticon codes as the EmojiLabel finds them in received texts:
// the fixed codes and the smiley pictures of the forum host, one pattern
// compiled once, case-insensitive. Installing points the pattern at the forum
// host in use and gives the label the code-to-picture table of our resources
// ("expressionImage.plist").
#include <map>
#include <string>

namespace platform {
class Regex;
}

namespace vorn {

// The forum host's name (and port) as the smiley tags name it.
std::string forumHostName();
// The code-to-picture table; empty when the resource is missing.
std::map<std::string, std::string> loadEmoticonPictures();
// Sets the forum host and the pictures on the EmojiLabel (once at start-up, and
// again whenever the forum's address changes).
void installEmoticonPattern();
// The shared pattern, compiled once after the last install.
const platform::Regex& emoticonPattern();

}  // namespace vorn
