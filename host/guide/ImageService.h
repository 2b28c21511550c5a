#pragma once
// The host's own pictures by number: 101 is the guide window's icon.

#include <QImage>

#include "typelib/HostTypes.h"

namespace host {

namespace image {
constexpr rt::Long TestGuide = 101;
}  // namespace image

class ImageService : public virtual com::Object {
 public:
  ~ImageService() override;
  static std::shared_ptr<ImageService> instance();

  // Error 326 for a number the host has no picture for.
  virtual void GetImage(rt::Long id, QImage& picture);
};

}  // namespace host
