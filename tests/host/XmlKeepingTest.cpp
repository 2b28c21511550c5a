// What the keeping check carries into a part written anew: the quick answer
// whether it carries anything agrees with what carrying does. What the part
// has in common with the stored one is held once.

#include <gtest/gtest.h>

#include "xml/XmlKeeping.h"
#include "xml/XmlTree.h"

namespace {

using host::xmltree::NodePtr;

NodePtr rootOf(const char* text) {
  host::xmltree::ParseError error;
  const NodePtr document = host::xmltree::parse(QByteArray(text), error);
  EXPECT_TRUE(document) << qPrintable(error.message);
  for (const NodePtr& node : document->children)
    if (node->kind == host::xmltree::Node::Kind::Element) return node;
  return nullptr;
}

TEST(XmlKeeping, WhetherAnythingIsCarriedAgreesWithCarryingIt) {
  const struct {
    const char* what;
    const char* stored;
    const char* written;
    bool carries;
  } cases[] = {
      {"the same", R"(<P A="1"><M Key="K"><V>2</V></M><!--c--></P>)",
       R"(<P A="1"><M Key="K"><V>2</V></M><!--c--></P>)", false},
      {"written holds more", R"(<P A="1"/>)", R"(<P A="1" B="2"><X/></P>)", false},
      {"an empty attribute", R"(<P A=""/>)", R"(<P/>)", false},
      {"an attribute", R"(<P A="1" Note="n"/>)", R"(<P A="1"/>)", true},
      {"a comment", R"(<P><!--kept--></P>)", R"(<P/>)", true},
      {"an unnamed child", R"(<P><Attachment/></P>)", R"(<P><M/></P>)", true},
      {"a child it writes fewer of", R"(<P><M Key="A"/><M Key="B"/></P>)", R"(<P><M Key="A"/></P>)",
       false},
      {"deep inside a child", R"(<P><M Key="K"><V Unit="J">2</V></M></P>)",
       R"(<P><M Key="K"><V>2</V></M></P>)", true},
      {"inside the second of a key", R"(<P><M Key="K"/><M Key="K" Extra="x"/></P>)",
       R"(<P><M Key="K"/><M Key="K"/></P>)", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const NodePtr stored = rootOf(c.stored);
    const NodePtr written = rootOf(c.written);
    ASSERT_TRUE(stored && written);
    EXPECT_EQ(host::xmltree::carriesUnnamed(*stored, *written), c.carries);
    const NodePtr carried = written->deepCopy();
    host::xmltree::keepUnnamed(*stored, *carried);
    EXPECT_EQ(host::xmltree::write(*carried, -1) != host::xmltree::write(*written, -1), c.carries)
        << qPrintable(host::xmltree::write(*carried, -1));
    // With the part as it was written right after the load, as the writer
    // asks: the same answer, as nothing here was written then and no more.
    const NodePtr named = written->deepCopy();
    EXPECT_EQ(host::xmltree::carriesUnnamed(*stored, *written, named.get()), c.carries);
  }
}

}  // namespace

// A part written anew holds what it has in common with the stored one once:
// the written tree takes the stored subtrees that are the same, wherever
// the two differ around them, and still says what it said.
TEST(XmlKeeping, WhatAWrittenPartHasInCommonWithTheStoredOneIsHeldOnce) {
  const NodePtr stored =
      rootOf(R"(<R Measured="True"><M Key="A"><V>1</V></M><M Key="B"><V>2</V><U>J</U></M>)"
             R"(<W>1;2;3</W></R>)");
  const NodePtr written =
      rootOf(R"(<R><M Key="A"><V>1</V></M><M Key="B"><V>2.0</V><U>J</U></M><W>1;2;3</W></R>)");
  const QString before = host::xmltree::write(*written, -1);
  host::xmltree::shareSame(*stored, *written);
  EXPECT_EQ(host::xmltree::write(*written, -1), before);
  EXPECT_EQ(written->children[0], stored->children[0]);  // the same whole
  EXPECT_EQ(written->children[2], stored->children[2]);
  EXPECT_NE(written->children[1], stored->children[1]);  // differs inside, so its own
  EXPECT_EQ(written->children[1]->children[1], stored->children[1]->children[1]);
  EXPECT_NE(written->children[1]->children[0], stored->children[1]->children[0]);
  EXPECT_TRUE(host::xmltree::sameTree(*stored->children[2], *written->children[2]));
  EXPECT_FALSE(host::xmltree::sameTree(*stored, *written));
}
