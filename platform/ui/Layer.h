#pragma once
// The drawing properties of a view (the platform's layer): corners, border,
// shadow, contents, and the layer animations running on it.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Animation.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

namespace platform {

class Image;
class View;

class Layer {
 public:
  explicit Layer(View* owner) : owner_(owner) {}
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;
  ~Layer();

  double cornerRadius = 0;
  bool masksToBounds = false;
  double borderWidth = 0;
  Color borderColor = Color::black();
  Color shadowColor = Color::black();
  double shadowOpacity = 0;
  Size shadowOffset{0, -3};
  double shadowRadius = 3;
  std::shared_ptr<const Image> contents;
  double zPosition = 0;
  bool shouldRasterize = false;

  // Adds a copy-free animation under `key` (an empty key gets a fresh one).
  // An animation already under that key is removed first (did-stop, not finished).
  void addAnimation(const std::shared_ptr<Animation>& animation, const std::string& key);
  void removeAnimationForKey(const std::string& key);
  void removeAllAnimations();
  std::shared_ptr<Animation> animationForKey(const std::string& key) const;
  std::vector<std::string> animationKeys() const;
  const std::map<std::string, std::shared_ptr<Animation>>& animations() const { return animations_; }

  View* owner() const { return owner_; }

 private:
  friend class View;
  void finish(const std::string& key, std::uint64_t serial);
  void stopped(const std::shared_ptr<Animation>& animation, bool finished);
  View* owner_;
  std::map<std::string, std::shared_ptr<Animation>> animations_;
  std::map<std::string, std::uint64_t> serials_;
  std::uint64_t nextSerial_ = 1;
};

}  // namespace platform
