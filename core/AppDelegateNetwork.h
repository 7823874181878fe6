#pragma once
// Names of the application delegate's read marks, shortcut lists and network
// notices (the operations are AppDelegate's).
namespace vorn {

// Read marks: Documents/"ReadHistoryArray"/<list file>, an array of id texts,
// oldest first. The older form kept a dictionary keyed by id under "ReadHistoryDir".
inline constexpr char kReadHistoryDir[] = "ReadHistoryArray";
inline constexpr char kOldReadHistoryDir[] = "ReadHistoryDir";
inline constexpr char kNewsIDHistoryFile[] = "newsIDHistory.plist";
inline constexpr char kPostIDHistoryFile[] = "postIDHistory.plist";

// Home shortcuts: Documents/"ShortCutDir"/<file>, an array of records.
inline constexpr char kShortCutDir[] = "ShortCutDir";
inline constexpr int kShortCutTypeBoards = 1;  // records of "forumId", "forumName"
inline constexpr int kShortCutTypeSeries = 0;  // records of "seriesId", "seriesName"
inline constexpr char kShortCutBoardsFile[] = "forumList.plist";
inline constexpr char kShortCutSeriesFile[] = "carList.plist";

// Network status notices, by status: -1 unknown, 0 none, 1 mobile, 2 Wi-Fi.
inline constexpr char kNetworkUnknownText[] = "当前网络未知";
inline constexpr char kNetworkNoneText[] = "当前无网络";
inline constexpr char kNetworkMobileText[] = "当前为移动网络";
inline constexpr char kNetworkWiFiText[] = "当前网络为WiFi";

}  // namespace vorn
