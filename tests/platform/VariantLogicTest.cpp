// Comparison and negation of variants with the run time's rules.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "runtime/VariantLogic.h"

namespace {

TEST(VariantLogic, EqualityComparesByKindAsTheRunTimeDoes) {
  const struct {
    QVariant a;
    QVariant b;
    bool equal;
  } cases[] = {
      {true, true, true},
      {true, false, false},
      {false, QVariant(), true},  // Empty is False, 0 and ""
      {QVariant(), 0.0, true},
      {QVariant(), QString(), true},
      {QVariant(), QVariant(), true},
      {QVariant(), true, false},
      {true, -1.0, true},
      {QVariant::fromValue(1.5f), 1.5, true},
      {QVariant::fromValue<short>(3), 3.0, true},
      {QStringLiteral("True"), QStringLiteral("true"), false},
      {QStringLiteral("12"), 12.0, true},
      {QStringLiteral("abc"), 0.0, false},
      {QStringLiteral("abc"), QVariant(), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::equals(c.a, c.b), c.equal)
        << c.a.toString().toStdString() << " = " << c.b.toString().toStdString();
    EXPECT_EQ(rt::equals(c.b, c.a), c.equal) << "symmetric";
  }
}

TEST(VariantLogic, NegationOfBooleansEmptyAndNumbers) {
  EXPECT_EQ(rt::logicalNot(true), QVariant(false));
  EXPECT_EQ(rt::logicalNot(false), QVariant(true));
  EXPECT_EQ(rt::logicalNot(QVariant()), QVariant::fromValue<short>(-1));
  EXPECT_EQ(rt::logicalNot(0.0), QVariant::fromValue<int>(-1));
  EXPECT_EQ(rt::logicalNot(2.5), QVariant::fromValue<int>(-3));  // 2.5 rounds to 2
  EXPECT_EQ(testsupport::errorOf([] { rt::logicalNot(QStringLiteral("x")); }),
            rt::err::TypeMismatch);
  EXPECT_EQ(testsupport::errorOf([] { rt::logicalNot(1e12); }), rt::err::Overflow);
}

}  // namespace
