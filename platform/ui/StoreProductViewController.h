#pragma once
// The store's product page shown inside the application: a screen presented
// modally that loads one product by its store identifier and tells its
// delegate (productViewControllerDidFinish) when the person taps its done
// button; the delegate dismisses it. On the desktop nothing is fetched or
// bought: the page shows the identifier it was given, and every load and
// finish is recorded for tests and the automation interface.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/ViewController.h"

namespace platform {

class Button;
class Label;
class StoreProductViewController;

// The parameter key of the product's store identifier (a decimal text).
inline constexpr char kStoreProductParameterITunesItemIdentifier[] = "id";

class StoreProductViewControllerDelegate {
 public:
  virtual ~StoreProductViewControllerDelegate() = default;
  virtual void productViewControllerDidFinish(StoreProductViewController& controller) { (void)controller; }
};

class StoreProductViewController : public ViewController {
 public:
  static std::shared_ptr<StoreProductViewController> create() { return std::make_shared<StoreProductViewController>(); }
  std::string className() const override { return "StoreProductViewController"; }

  void setDelegate(std::weak_ptr<StoreProductViewControllerDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<StoreProductViewControllerDelegate> delegate() const { return delegate_.lock(); }

  // Loads the product named by the identifier parameter; the completion runs
  // on a later turn of the main loop with whether the page has a product (an
  // identifier of digits only) and an error text when not.
  void loadProductWithParameters(const Value& parameters,
                                 std::function<void(bool loaded, const std::string& error)> completion);
  const std::string& productIdentifier() const { return productId_; }

  // The finish button, as a finger taps it: the delegate decides whether the page closes.
  void finish();
  std::shared_ptr<Button> doneButton() const { return done_; }

  // Every product page's loads and finishes, oldest first: {"op": "load"|"finish", "id"}.
  static std::vector<Value> history();
  static void resetHistory();

  void loadView() override;

 private:
  std::weak_ptr<StoreProductViewControllerDelegate> delegate_;
  std::string productId_;
  std::shared_ptr<Button> done_;
  std::shared_ptr<Label> caption_;
};

}  // namespace platform
