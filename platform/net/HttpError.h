#pragma once
// Why a request failed. `code` follows the URL-loading error numbers callers
// already know (-999 cancelled, -1001 timed out, ...); `kind` is what code in
// this system switches on.
#include <string>

namespace platform::net {

enum class HttpErrorKind {
  NoConnection,  // could not connect, host unknown, connection dropped
  TimedOut,      // no complete answer within the request's time-out
  BadStatus,     // an answer with a status outside 200-299
  Cancelled,     // cancelled by its sender (cancel by path, cancel())
  NotJson,       // a JSON operation's answer had another content type or did not parse
  Other,         // anything else (errors that callers make themselves)
};

inline constexpr char kHttpErrorDomain[] = "HttpClientLayer";

inline constexpr int kErrorCancelled = -999;
inline constexpr int kErrorTimedOut = -1001;
inline constexpr int kErrorCannotFindHost = -1003;
inline constexpr int kErrorCannotConnectToHost = -1004;
inline constexpr int kErrorConnectionLost = -1005;
inline constexpr int kErrorBadServerResponse = -1011;
inline constexpr int kErrorCannotDecodeContent = -1016;

struct HttpError {
  HttpErrorKind kind = HttpErrorKind::Other;
  std::string domain = kHttpErrorDomain;
  int code = 0;
  int status = 0;           // the HTTP status when an answer arrived, else 0
  std::string description;  // for logs, in English

  static HttpError make(HttpErrorKind kind, int code, std::string description, int status = 0);
};

const char* kindName(HttpErrorKind kind);

}  // namespace platform::net
