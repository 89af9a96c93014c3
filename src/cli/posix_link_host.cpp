#include "link_host.h"

namespace mirva {

std::string CompanionLinkUnavailable() {
  return "link is not available on this platform: here the program mirva hosts the companion "
         "link, on the D-Bus session bus";
}

int HostCompanionLink(Notifier&, const CommandRunner&) {
  return 1;
}

}  // namespace mirva
