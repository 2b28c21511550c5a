#pragma once
// The test template: the file that lists the test elements the plug-in
// offers, read once into the catalogue of prototype test elements.
//
//   <AnyRoot>
//     <TemplateData>
//       <TestElement ClassName="RV1XTests.CTestDischarge" ID="200">
//         <Type LID="20600::Defibrillator"/>          the texts come only
//         <Parameter LID="..."/> <Name LID="..."/>    from their "LID" key
//         <Description LID="..."/>
//         <ExpectedResult>...</ExpectedResult>        the default standards
//       </TestElement>                                 (the limit set's form)
//     </TemplateData>
//   </AnyRoot>
//
// Entries are created by registered name, in file order; members of a group
// element (one that is also a test element list) are its nested entries.
// What a fault of the file does:
//   - the file is missing: TemplateNotFound; it cannot be read:
//     TemplateFileError; it is not well-formed XML, has no "TemplateData",
//     an empty one, or an entry without "ClassName" or "ID" at any depth:
//     BadTemplate. Each names the file and what is wrong with it, and the
//     load gives no catalogue.
//   - an entry whose class cannot be created or is no test element, or whose
//     "ID" is not the test ID of its class: reported, left out with its
//     members; the other entries load.
//   - a default standard holding a value that is not wholly one number, or
//     a flag that is neither "True" nor "False": reported, naming the file,
//     the standard and the limit, and left out, so that it judges nothing.
//   - a text or standard that cannot be read otherwise stays empty.

#include <QString>

#include "typelib/IPlugIn.h"

namespace orvanRV1X::TemplateLoader {

// The catalogue, or Nothing after a failure it reported. Raises
// TemplateNotFound, TemplateFileError and BadTemplate (severity 1 for the
// last; the others 3).
host::ITestElementListPtr LoadTemplate(const QString& path);

// One prototype, or Nothing when the entry was left out (reported). Raises
// BadTemplate for an entry without "ClassName" or "ID", and hands the
// host's errors that end a load up.
host::ITestElementPtr CreateTestElement(const host::XmlElementPtr& node);

// The entry's texts and default standards into the element; never fails.
void ReadElementProperties(const host::ITestElementPtr& element, const host::XmlElementPtr& node);

// The translation of the node's "LID" text key; empty without one. Never
// fails.
QString GetLocalizedNodeText(const host::XmlElementPtr& node);

}  // namespace orvanRV1X::TemplateLoader
