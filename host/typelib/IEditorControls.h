#pragma once
// The host's editor controls, as the host's control library publishes them
// (host/views): the guide-settings control and the help pane that every
// configuration editor places, and the in-place drop-down field. Their
// events reach the editor through the extender's ObjectEvent, by the names
// below.

#include "typelib/HostTypes.h"

namespace host {

// "orvanView.XTestGuideSettings": shows the guide settings of a bound
// TestGuideSettingsObject and writes the operator's changes straight into
// it, then raises Changed.
class ITestGuideSettings : public virtual com::Object {
 public:
  ~ITestGuideSettings() override;
  // Nothing shows no settings and offers nothing to change.
  virtual void Bind(const TestGuideSettingsObjectPtr& settings) = 0;
  virtual bool Locked() = 0;
  virtual void SetLocked(bool locked) = 0;
};
using ITestGuideSettingsPtr = std::shared_ptr<ITestGuideSettings>;

// "orvanView.XHelpText": one help text along the bottom of an editor. Its
// caption is a text key that the editor's caption translation replaces.
class IHelpText : public virtual com::Object {
 public:
  ~IHelpText() override;
  virtual QString Caption() = 0;
  virtual void SetCaption(const QString& caption) = 0;
  // Places the pane along the bottom of the height given (twips), as high as
  // it was first placed, never above the top it was first placed at, and
  // hidden unless more than 240 twips of it would show; answers the pane's
  // top, the height left above it.
  virtual rt::Single Arrange(rt::Single& height) = 0;
};
using IHelpTextPtr = std::shared_ptr<IHelpText>;

// "orvanView.XDropDown": a field that shows a text, with a drop button.
class IDropDown : public virtual com::Object {
 public:
  ~IDropDown() override;
  virtual QString Text() = 0;
  virtual void SetText(const QString& text) = 0;
};
using IDropDownPtr = std::shared_ptr<IDropDown>;

// Event names (with their indexes in the host's type library).
namespace editorevent {
inline const QString Changed = QStringLiteral("Changed");        // 9, guide settings
inline const QString Commit = QStringLiteral("Commit");          // 9, drop-down: a double click
inline const QString DropButton = QStringLiteral("DropButton");  // 10, drop-down
inline const QString KeyDown = QStringLiteral("KeyDown");        // 11, drop-down: key code, shift
inline const QString GotFocus = QStringLiteral("GotFocus");
inline const QString LostFocus = QStringLiteral("LostFocus");
}  // namespace editorevent

}  // namespace host
