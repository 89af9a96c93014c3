#include "nats_connection.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace mirva {
namespace {

/// The URLs of a comma-separated list, blanks around them trimmed and empty ones left out.
std::vector<std::string> SplitUrls(const std::string& list) {
  std::vector<std::string> urls;
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t end = std::min(list.find(',', start), list.size());
    std::size_t first = list.find_first_not_of(" \t", start);
    std::size_t last = list.find_last_not_of(" \t", end - 1);
    if (first < end && last != std::string::npos && last >= first)
      urls.push_back(list.substr(first, last - first + 1));
    start = end + 1;
  }
  return urls;
}

/// A URL as it may be shown: a user or token written into it is left out.
std::string ShownUrl(const std::string& url) {
  std::size_t scheme = url.find("://");
  std::size_t start = scheme == std::string::npos ? 0 : scheme + 3;
  std::size_t at = url.find('@', start);
  if (at == std::string::npos || at > url.find('/', start))
    return url;
  return url.substr(0, start) + url.substr(at + 1);
}

std::string Shown(const std::vector<std::string>& urls) {
  std::string shown;
  for (const std::string& url : urls)
    shown += (shown.empty() ? "" : ",") + ShownUrl(url);
  return shown;
}

/// The client's text of the failure with `status`; a text left from an earlier failure of
/// another kind would misname it.
std::string Detail(natsStatus status) {
  natsStatus last = NATS_OK;
  const char* text = nats_GetLastError(&last);
  return text && *text && last == status ? text : natsStatus_GetText(status);
}

}  // namespace

std::string LowerName(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

NatsConnection::NatsConnection(const NatsSettings& settings) : timeout_(settings.timeout) {
  std::vector<std::string> urls = SplitUrls(settings.url);
  where_ = Shown(urls);
  if (urls.empty())
    throw GroupError("no URL of the group's broker is given");
  if (!IsGroupName(settings.group))
    throw GroupError("'" + settings.group +
                     "' is no group name: 1 to 32 letters, digits, '-' or '_'");
  bool secure = std::any_of(urls.begin(), urls.end(), [](const std::string& url) {
    return LowerName(url.substr(0, 6)) == "tls://";
  });
  std::vector<const char*> servers;
  for (const std::string& url : urls)
    servers.push_back(url.c_str());
  natsStatus s = natsOptions_Create(&options_);
  if (s == NATS_OK)
    s = natsOptions_SetServers(options_, servers.data(), static_cast<int>(servers.size()));
  if (s == NATS_OK)
    s = natsOptions_SetTimeout(options_, timeout_.count());
  if (s == NATS_OK && !settings.secret.token.empty())
    s = natsOptions_SetToken(options_, settings.secret.token.c_str());
  if (s == NATS_OK && !settings.secret.user.empty())
    s = natsOptions_SetUserInfo(options_, settings.secret.user.c_str(),
                                settings.secret.password.c_str());
  // A broker that restarts is connected to again, and a call waiting on it fails at once.
  if (s == NATS_OK)
    s = natsOptions_SetMaxReconnect(options_, -1);
  if (s == NATS_OK)
    s = natsOptions_SetReconnectWait(options_, 200);
  if (s == NATS_OK)
    s = natsOptions_SetFailRequestsOnDisconnect(options_, true);
  if (s == NATS_OK && secure) {
    s = natsOptions_SetSecure(options_, true);
    if (s == NATS_OK && !settings.ca_file.empty())
      s = natsOptions_LoadCATrustedCertificates(options_, settings.ca_file.c_str());
  }
  if (s != NATS_OK) {
    std::string detail = Detail(s);
    Release();
    throw GroupError("the group's broker at " + where_ + " cannot be used: " + detail);
  }
  s = natsConnection_Connect(&connection_, options_);
  if (s == NATS_OK) {
    jsOptions_Init(&js_options_);
    js_options_.Wait = timeout_.count();
    s = natsConnection_JetStream(&js_, connection_, &js_options_);
  }
  if (s != NATS_OK) {
    try {
      Fail(s, "connect");
    } catch (...) {
      Release();
      throw;
    }
  }
}

NatsConnection::~NatsConnection() {
  Release();
}

void NatsConnection::Release() {
  jsCtx_Destroy(js_);
  natsConnection_Destroy(connection_);
  natsOptions_Destroy(options_);
  js_ = nullptr;
  connection_ = nullptr;
  options_ = nullptr;
}

void NatsConnection::Fail(natsStatus status, const std::string& doing) const {
  std::string detail = Detail(status);
  const std::string& where = where_;
  switch (status) {
    case NATS_CONNECTION_AUTH_FAILED:
    case NATS_NOT_PERMITTED:
      throw GroupError("the broker refused the secret: " + detail);
    case NATS_TIMEOUT:
      throw GroupError("the group's broker at " + where + " did not answer within " +
                       std::to_string(timeout_.count()) + " ms (" + doing + ")");
    case NATS_NO_SERVER:
    case NATS_IO_ERROR:
    case NATS_SSL_ERROR:
    case NATS_CONNECTION_CLOSED:
    case NATS_CONNECTION_DISCONNECTED:
    case NATS_STALE_CONNECTION:
      throw GroupError("cannot reach the group's broker at " + where + ": " + detail);
    case NATS_NO_RESPONDERS:
      throw GroupError("the broker at " + where +
                       " does not keep streams (start nats-server with -js): " + doing);
    default:
      throw GroupError("the group's broker at " + where + " failed to " + doing + ": " + detail);
  }
}

}  // namespace mirva
