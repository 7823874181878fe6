#include "application/VornAppDelegate.h"

#include "application/ApplicationHooks.h"
#include "platform/ui/Application.h"

namespace vorn {

std::shared_ptr<VornAppDelegate> VornAppDelegate::shared() {
  auto& application = platform::Application::sharedApplication();
  if (auto delegate = std::dynamic_pointer_cast<VornAppDelegate>(application.delegate())) return delegate;
  auto delegate = std::make_shared<VornAppDelegate>();
  application.setDelegate(delegate);
  return delegate;
}

VornAppDelegate::VornAppDelegate() { installApplicationHooks(); }

VornAppDelegate::~VornAppDelegate() = default;

}  // namespace vorn
