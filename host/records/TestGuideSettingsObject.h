#pragma once
// The guide settings every configuration owns: which guide buttons the
// operator gets. The host's settings control edits them; the guide's toolbar
// reads the mask. Stored form:
//   <TestGuideSettings ButtonMask="11"/>

#include "typelib/HostTypes.h"

namespace host {

namespace guidebutton {
constexpr rt::Long Skip = 1;           // the operator may skip the test
constexpr rt::Long NotApplicable = 2;  // ... declare it not applicable
constexpr rt::Long Running = 4;        // set by the guide itself
constexpr rt::Long Previous = 8;       // ... go back to the previous test
constexpr rt::Long Default = Skip | NotApplicable | Previous;
}  // namespace guidebutton

class TestGuideSettingsObject : public virtual com::Object {
 public:
  ~TestGuideSettingsObject() override;

  virtual void Load(const XmlElementPtr& element, const HostLogPtr& log);
  // The "TestGuideSettings" element, or Nothing when the document gives none.
  virtual XmlElementPtr Save(const XmlDocumentPtr& document);
  virtual TestGuideSettingsObjectPtr Clone();

  virtual rt::Long ButtonMask() { return buttonMask_; }
  virtual void SetButtonMask(rt::Long mask) { buttonMask_ = mask; }

 private:
  rt::Long buttonMask_ = guidebutton::Default;
};

}  // namespace host
