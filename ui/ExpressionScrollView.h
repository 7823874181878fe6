#pragma once
// The two-page face panel under the thread page's quick-reply field: faces 0 to
// 26 on the first page (a 4 x 7 grid whose last cell is the delete key), faces
// 27 to 32 in the first row of the second page, a delete key on each page. A
// face key sends ExpressionTouched to the host with the key (tagged with the
// face index), a delete key ExpressionDelTouched. The panel reads the face table
// and the theme once, when it is made.
#include <memory>
#include <vector>

#include "platform/ui/ScrollView.h"
#include "platform/ui/View.h"
#include "ui/ExpressionTable.h"

namespace platform {
class Control;
class ImageView;
}  // namespace platform

namespace vorn {

inline constexpr char kExpressionDeletePicture[] = "Exp_Delete.png";

// The panel's host: inserts the face's show text at its cursor, or deletes backwards.
class ExpressionScrollViewHost {
 public:
  virtual ~ExpressionScrollViewHost() = default;
  virtual void ExpressionTouched(platform::Control& sender) = 0;
  virtual void ExpressionDelTouched(platform::Control& sender) = 0;
};

class ExpressionScrollView : public platform::View, public platform::ScrollViewDelegate {
 public:
  static constexpr int kPanelFaces = 33;
  static constexpr int kFirstPageFaces = 27;
  static constexpr double kCellHeight = 48;

  explicit ExpressionScrollView(const platform::Rect& frame);
  // The host is not retained.
  static std::shared_ptr<ExpressionScrollView> initWithFrame(const platform::Rect& frame,
                                                             const std::shared_ptr<ExpressionScrollViewHost>& host);
  std::string className() const override { return "ExpressionScrollView"; }

  void setMySuperReplyview(const std::shared_ptr<ExpressionScrollViewHost>& host) { mySuperReplyview = host; }
  std::shared_ptr<ExpressionScrollViewHost> host() const { return mySuperReplyview.lock(); }

  const std::vector<Expression>& expressionArr() const { return expressionArr_; }
  const std::shared_ptr<platform::ScrollView>& scrollView() const { return _scrollView; }
  // The face keys by face index, and the delete key of each page.
  const std::vector<std::shared_ptr<platform::View>>& faceKeys() const { return faceKeys_; }
  const std::vector<std::shared_ptr<platform::View>>& deleteKeys() const { return deleteKeys_; }

 private:
  void build();
  void addFace(int index, double x, double y, double cellWidth);
  void addDeleteKey(double pageX);

  std::vector<Expression> expressionArr_;
  std::shared_ptr<platform::ScrollView> _scrollView;
  std::weak_ptr<ExpressionScrollViewHost> mySuperReplyview;
  // Reserved for a page indicator; nothing draws into it.
  std::shared_ptr<platform::ImageView> pageControl;
  std::vector<std::shared_ptr<platform::View>> faceKeys_;
  std::vector<std::shared_ptr<platform::View>> deleteKeys_;
};

}  // namespace vorn
