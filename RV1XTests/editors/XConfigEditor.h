#pragma once
// What the seven configuration editors share: a custom control that edits
// its configuration object in place and tells the host of every change.
//
// - Binding: Initialize takes the configuration out of the data it is given
//   (ConfigurationOf); the inputs are filled while the initialising flag is
//   set, so that nothing filled in is taken for an edit.
// - Change: an edit that changed the configuration calls ReportChange, which
//   sends "Change" with an empty argument list to the host's callback; an
//   edit that changes nothing, and everything the editor does itself, sends
//   nothing. Every event handler runs through Handle: an error is reported
//   through the host's error service with the editor's registered name and
//   never reaches the event loop.
// - Locked: only a change of the flag takes effect (LockedChanged). A locked
//   editor changes nothing: each editor disables or freezes every input, and
//   the guide settings are locked.
// - The host's controls: the guide-settings control "xtgTestGuideConfig"
//   (orvanView.XTestGuideSettings, its changes are the host's "Change" too)
//   and the help pane "xhtHelpText" (orvanView.XHelpText), created by
//   registered name. An editor without them (the host's control library not
//   registered) still edits its own inputs.
// - Captions are text keys, translated once when the editor is created.
//
// Places and sizes are twips, as the designs give them; every editor lays
// itself out again on each resize.

#include <QRectF>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/CustomControl.h"
#include "runtime/ErrorHandling.h"
#include "typelib/IEditorControls.h"
#include "ui/Controls.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace orvanRV1Xtst {

// How a text box takes a number the configuration keeps. Each edit whose
// text starts with an acceptable number stores the value accept makes of it
// (store answers whether the configuration changed, which reports
// "Change"). When the operator leaves the box (or presses Enter) with a text
// that gives no acceptable number, the entry is refused with the message,
// and the value the box held before the entry is kept and shown.
struct NumberRule {
  std::function<std::optional<double>(double typed)> accept;
  std::function<double()> stored;
  std::function<bool(double value)> store;
  std::function<QString()> shown;  // the text of the stored value
  const char* refusalKey;
  QVariant low, high;  // filled into the message
};

class XConfigEditor : public host::CustomControl {
 public:
  ~XConfigEditor() override;

  void SetLocked(bool locked) override;
  void Refresh() override { update(); }

  const QString& registeredName() const { return registeredName_; }

 protected:
  // Each editor's own: enabling its inputs for the bound configuration and
  // the locked flag, and its layout for the present size.
  virtual void EnableInputs() = 0;
  virtual void Layout() = 0;
  // Enables the inputs anew and locks or unlocks the guide settings.
  void LockedChanged(bool locked) override;
  void resizeEvent(QResizeEvent* event) override;

  // registeredName: the editor's registered name, the source of its errors;
  // designWidth, designHeight: its size as designed, in twips.
  XConfigEditor(QString registeredName, double designWidth, double designHeight);

  // ---- design
  QGroupBox* AddFrame(const char* name, QWidget* parent, const QRectF& place);
  // A bold caption label (CaptionLabel).
  QLabel* AddCaption(const char* name, const char* textKey, QWidget* parent, const QRectF& place);
  QLineEdit* AddTextBox(const char* name, const char* text, QWidget* parent, const QRectF& place);
  // Creates a widget of the given class as a named child at its place.
  template <class W>
  W* Add(const char* name, QWidget* parent, const QRectF& place) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    Place(widget, place);
    return widget;
  }
  // A host control by registered name, on a container of the editor; error
  // 429 when the host's control library does not have it.
  std::shared_ptr<ui::Extender> AddHostControl(const QString& progId, const QString& name,
                                               QWidget* container, const QRectF& place);
  void AddTestGuideSettings(QWidget* frame, const QRectF& place);
  void AddHelpText(const char* textKey, const QRectF& place);
  void TranslateCaptions();

  // ---- binding
  // The configuration the data holds: Nothing for an empty reference, error
  // 13 for any other object or value.
  template <class Config>
  static std::shared_ptr<Config> ConfigurationOf(const QVariant& data) {
    if (data.metaType() != QMetaType::fromType<com::ObjectPtr>()) rt::raise(rt::err::TypeMismatch);
    return com::cast<Config>(data.value<com::ObjectPtr>());
  }
  void BindTestGuideSettings(const host::TestGuideSettingsObjectPtr& settings);
  void LockTestGuideSettings(bool locked);

  // ---- change
  bool Initialising() const { return initialising_ > 0; }
  // Sets the initialising flag for its lifetime (nested scopes allowed).
  class InitialisingScope {
   public:
    explicit InitialisingScope(XConfigEditor& editor) : editor_(editor) { ++editor_.initialising_; }
    ~InitialisingScope() { --editor_.initialising_; }
    InitialisingScope(const InitialisingScope&) = delete;
    InitialisingScope& operator=(const InitialisingScope&) = delete;

   private:
    XConfigEditor& editor_;
  };
  // "Change" to the host, unless the editor is initialising.
  void ReportChange();
  // Runs an event handler; an error is reported, never passed on.
  template <class Handler>
  void Handle(Handler&& handler) {
    rt::onError([&] { handler(); }, [this](const rt::RuntimeError& error) { Report(error); });
  }
  void Report(const rt::RuntimeError& error);
  // Refuses an entry with a message box of the test library; the text key
  // is translated with the two values filled in.
  void Refuse(const char* textKey, const QVariant& first = {}, const QVariant& second = {});

  // A text box for a number the configuration keeps (NumberRule).
  void BindNumberBox(QLineEdit* box, NumberRule rule);
  // The box selects its whole text whenever it gets the focus.
  void SelectAllOnFocus(QLineEdit* box);

  // ---- layout (twips)
  static void Place(QWidget* widget, const QRectF& place);
  static void Move(QWidget* widget, double left, double top, double width = -1, double height = -1);
  // Places a child window through the window call, in pixels: each twips
  // value is rounded (halves to even) and divided, remainder dropped, by the
  // screen's twips per pixel, horizontal for left and width, vertical for
  // top and height.
  static void PlaceWindow(QWidget* widget, double left, double top, double width, double height);
  static double Clamp(double value, double low, double high);
  // The help pane's extender; Nothing without the host's control library.
  ui::Extender* HelpLine() const { return xhtHelpText_.get(); }
  double HelpLineTop() const;
  // Gives the help pane this height, shown only when it is more than
  // minimumShown; a negative height is not applied. The pane never reaches
  // below the editor's inner height.
  void ShrinkHelpLine(double height, double minimumShown);
  // Shows the help pane again at its designed height (as far as the editor
  // reaches).
  void RestoreHelpLine();
  // The pane places itself along the bottom of the height; answers the
  // height left above it (its top).
  double ArrangeHelpLine(double height);

  std::shared_ptr<ui::Extender> xtgTestGuideConfig_;
  host::ITestGuideSettingsPtr testGuideSettings_;
  std::shared_ptr<ui::Extender> xhtHelpText_;
  host::IHelpTextPtr helpText_;

 private:
  ui::Controls& ControlsOf(QWidget* container);

  QString registeredName_;
  int initialising_ = 0;
  double helpDesignHeight_ = 0;
  // One collection per container of host controls; released before the
  // widgets go.
  std::vector<std::unique_ptr<ui::Controls>> controls_;
};

}  // namespace orvanRV1Xtst
