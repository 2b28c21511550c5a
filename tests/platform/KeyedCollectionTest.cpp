// The run time's keyed collection.

#include <gtest/gtest.h>

#include <functional>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "runtime/KeyedCollection.h"

namespace {

using testsupport::errorOf;

rt::KeyedCollection<int> sample() {
  rt::KeyedCollection<int> c;
  c.Add(10, QStringLiteral("ENGY"));
  c.Add(20, QStringLiteral("chti"));
  c.Add(30);  // no key
  c.Add(40, QStringLiteral("::1"));
  return c;
}

TEST(KeyedCollection, PositionsAreOneBasedAndKeysIgnoreCase) {
  const auto c = sample();
  EXPECT_EQ(c.Count(), 4);
  EXPECT_EQ(c.Item(1), 10);
  EXPECT_EQ(c.Item(4), 40);
  EXPECT_EQ(c.Item(QStringLiteral("engy")), 10);
  EXPECT_EQ(c.Item(QStringLiteral("CHTI")), 20);
  EXPECT_EQ(c.Item(QStringLiteral("::1")), 40);
  EXPECT_TRUE(c.Contains(QStringLiteral("Engy")));
  EXPECT_FALSE(c.Contains(QString()));
  EXPECT_EQ(c.KeyAt(2), QStringLiteral("chti"));
}

TEST(KeyedCollection, ErrorsOfTheRunTime) {
  auto c = sample();
  EXPECT_EQ(errorOf([&] { c.Add(50, QStringLiteral("Engy")); }), 457);
  EXPECT_EQ(c.Count(), 4) << "a duplicate key adds nothing";
  EXPECT_EQ(errorOf([&] { c.Add(60); }), 0) << "items without key never collide";
  for (rt::Long position : {0, -1, 6}) EXPECT_EQ(errorOf([&] { c.Item(position); }), 9) << position;
  EXPECT_EQ(errorOf([&] { c.Item(QStringLiteral("PEKI")); }), 5);
  EXPECT_EQ(errorOf([&] { c.Remove(0); }), 9);
  EXPECT_EQ(errorOf([&] { c.Remove(QStringLiteral("PEKI")); }), 5);
}

TEST(KeyedCollection, RemoveAndEnumerationKeepInsertionOrder) {
  auto c = sample();
  c.Remove(2);
  c.Remove(QStringLiteral("::1"));
  std::vector<int> seen;
  for (int item : c) seen.push_back(item);
  EXPECT_EQ(seen, (std::vector<int>{10, 30}));
  EXPECT_FALSE(c.Contains(QStringLiteral("CHTI")));
  c.Add(20, QStringLiteral("CHTI"));  // a removed key is free again
  EXPECT_EQ(c.Item(3), 20);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.begin(), c.end());
}

}  // namespace
