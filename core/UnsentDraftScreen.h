#pragma once
// A screen that can hold text the user has not sent yet (the article and comment
// pages, the thread page, the conversations and the private-message composer).
// Before an edge swipe takes such a screen away, its container asks
// checkTheDraft; on true it sends onlyDoBack instead of moving anything, and the
// screen asks the user whether to leave.
namespace vorn {

class UnsentDraftScreen {
 public:
  virtual ~UnsentDraftScreen() = default;
  // Whether the screen's input holds unsent text.
  virtual bool checkTheDraft() = 0;
  // The leave request: the screen decides (and asks) whether to go back.
  virtual void onlyDoBack() = 0;
};

}  // namespace vorn
