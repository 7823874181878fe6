#pragma once
// The base of the navigation container and of the full-screen screens that
// answer the status-bar questions from the application delegate's shared state
// (style and visibility, asked afresh each time). On systems 7 and 8 it lays its
// view out below the status bar, by the orientation the delegate records.
#include <string>

#include "platform/ui/ViewController.h"

namespace vorn {

class PreferStatusBarViewController : public platform::ViewController {
 public:
  PreferStatusBarViewController() = default;
  std::string className() const override { return "PreferStatusBarViewController"; }

  platform::StatusBarStyle preferredStatusBarStyle() const override;
  bool prefersStatusBarHidden() const override;
  void viewDidLayoutSubviews() override;
};

}  // namespace vorn
