#pragma once
// A test element's descriptive texts: name, type, parameter, description.
// The plug-in's template gives them; the host shows and stores them. Stored
// form, every attribute optional:
//   <Info Name="..." Type="..." Parameter="..." Description="..."/>

#include "typelib/HostTypes.h"

namespace host {

class TestInfo : public virtual com::Object {
 public:
  ~TestInfo() override;

  virtual QString Name() { return name_; }
  virtual QString Type() { return type_; }
  virtual QString Parameter() { return parameter_; }
  virtual QString Description() { return description_; }

  // Type and parameter name the test together, so they are set together.
  virtual void SetTypeAndParameter(const QString& type, const QString& parameter);
  virtual void SetDescription(const QString& description);
  virtual void SetName(const QString& name);

  // An absent attribute reads as an empty text.
  virtual void Load(const XmlElementPtr& element);
  // The "Info" element, or Nothing when every text is empty.
  virtual XmlElementPtr Save(const XmlDocumentPtr& document);
  virtual TestInfoPtr Clone();

 private:
  QString name_, type_, parameter_, description_;
};

}  // namespace host
