#pragma once
// Names the share and Weibo glue shares with the screens that share and log in.

namespace vorn {

// WeChat registration: WeChat's two-letter id prefix, then the application's own part.
inline constexpr char kWeChatAppId[] = "wx3b8f1d90c5e2a647";
inline constexpr char kWeiboAppKey[] = "3620451873";
// The application's picture that stands in for a missing share thumbnail.
inline constexpr char kShareFallbackThumbnail[] = "Icon-72.png";

// The stored Weibo authorisation and its fields.
inline constexpr char kSinaWeiboAuthData[] = "SinaWeiboAuthData";
inline constexpr char kSinaAccessTokenKey[] = "AccessTokenKey";
inline constexpr char kSinaExpirationDateKey[] = "ExpirationDateKey";
inline constexpr char kSinaUserIDKey[] = "UserIDKey";
// Posted when a Weibo authorisation has just been stored.
inline constexpr char kSinaLogIn[] = "SinaLogIn";

inline constexpr char kShareSucceededText[] = "分享成功";
inline constexpr char kShareFailedText[] = "分享失败";

}  // namespace vorn
