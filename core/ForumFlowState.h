#pragma once
// What the forum screens leave for one another: which list or thread should
// refresh when it shows again, and where a member action was started from.
namespace vorn {

class ForumFlowState {
 public:
  bool isEnterCilked() const { return isEnterCilked_; }
  void setIsEnterCilked(bool v) { isEnterCilked_ = v; }
  bool isActivityViewController() const { return isActivityViewController_; }
  void setIsActivityViewController(bool v) { isActivityViewController_ = v; }
  bool isRefreshCurrentViewController() const { return isRefreshCurrentViewController_; }
  void setIsRefreshCurrentViewController(bool v) { isRefreshCurrentViewController_ = v; }
  bool shouRefreshPost() const { return shouRefreshPost_; }
  void setShouRefreshPost(bool v) { shouRefreshPost_ = v; }
  bool shouRefreshPostList() const { return shouRefreshPostList_; }
  void setShouRefreshPostList(bool v) { shouRefreshPostList_ = v; }

 private:
  bool isEnterCilked_ = false;
  bool isActivityViewController_ = false;
  bool isRefreshCurrentViewController_ = false;
  bool shouRefreshPost_ = false;
  bool shouRefreshPostList_ = false;
};

}  // namespace vorn
