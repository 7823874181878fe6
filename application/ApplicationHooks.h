#pragma once
// What the application hands down to the layers below it at start: the
// signed-in user's cookie and the theme for the network layer, the network
// notice for failed requests, and the openers of the screens the shared
// components show. Installing again changes nothing.
namespace vorn {

void installApplicationHooks();

}  // namespace vorn
