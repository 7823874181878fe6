#pragma once
// Puts every outside-service stand-in back to its first state: nothing started,
// nothing recorded, no answers waiting, access allowed, a camera, no position.
// Files already written (the analytics log, the photo library) stay where they are.
namespace platform::services {

void resetAllServices();

}  // namespace platform::services
