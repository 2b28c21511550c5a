// The run time's error-handling styles.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "QtPrinters.h"
#include "runtime/ErrorHandling.h"

namespace {

constexpr rt::Long kOwnError = rt::hresult(0x8004A3C2u);

TEST(ErrorHandling, ErrorsCarryNumberSourceAndDescription) {
  const rt::RuntimeError e(kOwnError, QStringLiteral("RV1XTests.CConfigSensitivity"));
  EXPECT_EQ(e.Number(), -2147179582);
  EXPECT_EQ(e.hexNumber(), QStringLiteral("0x8004A3C2"));
  EXPECT_EQ(e.Source(), QStringLiteral("RV1XTests.CConfigSensitivity"));
  EXPECT_TRUE(e.Description().isEmpty());
  EXPECT_EQ(rt::RuntimeError(91).Description(),
            QStringLiteral("Object variable or With block variable not set"));
  EXPECT_EQ(rt::RuntimeError(6, QString(), QStringLiteral("mine")).Description(),
            QStringLiteral("mine"));
  EXPECT_TRUE(rt::isFileError(52));
  EXPECT_TRUE(rt::isFileError(76));
  EXPECT_FALSE(rt::isFileError(91));
}

TEST(ErrorHandling, AHandlerSeesItsErrorAndNestedHandlersRestoreIt) {
  EXPECT_FALSE(rt::Err().pending());
  std::vector<rt::Long> seen;
  const int result = rt::onError(
      [&]() -> int { rt::raise(53, QStringLiteral("outer")); },
      [&](const rt::RuntimeError& error) {
        seen.push_back(error.Number());
        seen.push_back(rt::Err().Number());
        rt::onError([] { rt::raise(70); },
                    [&](const rt::RuntimeError&) { seen.push_back(rt::Err().Number()); });
        seen.push_back(rt::Err().Number());  // the outer error again
        EXPECT_EQ(rt::Err().Source(), QStringLiteral("outer"));
        return 7;
      });
  EXPECT_EQ(result, 7);
  EXPECT_EQ(seen, (std::vector<rt::Long>{53, 53, 70, 53}));
  EXPECT_FALSE(rt::Err().pending()) << "no error pending once the handler is done";
  EXPECT_EQ(rt::Err().Number(), 0);
}

TEST(ErrorHandling, BodyWithoutErrorNeverRunsTheHandler) {
  bool handled = false;
  EXPECT_EQ(rt::onError([] { return 3; },
                        [&](const rt::RuntimeError&) {
                          handled = true;
                          return 0;
                        }),
            3);
  EXPECT_FALSE(handled);
}

TEST(ErrorHandling, ForeignExceptionsBecomeRunTimeErrors) {
  rt::Long number = 0;
  rt::onError([] { throw std::runtime_error("boom"); },
              [&](const rt::RuntimeError& e) {
                number = e.Number();
                EXPECT_EQ(e.Description(), QStringLiteral("boom"));
              });
  EXPECT_EQ(number, 5);
  rt::onError([] { throw std::bad_alloc(); },
              [&](const rt::RuntimeError& e) { number = e.Number(); });
  EXPECT_EQ(number, 7);
}

TEST(ErrorHandling, IgnoredStatementsLetTheNextOneRun) {
  std::vector<int> ran;
  rt::ignoreErrorsEach([&] { ran.push_back(1); }, [&] { rt::raise(13); },
                       [&] {
                         ran.push_back(3);
                         rt::raise(6);
                         ran.push_back(99);
                       },
                       [&] { throw std::logic_error("x"); }, [&] { ran.push_back(5); });
  EXPECT_EQ(ran, (std::vector<int>{1, 3, 5}));
  EXPECT_FALSE(rt::ignoreErrors([] { rt::raise(9); }));
  EXPECT_TRUE(rt::ignoreErrors([] {}));
  EXPECT_EQ(rt::orDefault([]() -> int { rt::raise(6); }, -1), -1);
  EXPECT_EQ(rt::orDefault([] { return 4; }, -1), 4);
  EXPECT_FALSE(rt::Err().pending());
}

TEST(ErrorHandling, PassOnReRaisesThePendingErrorUnchanged) {
  try {
    rt::onError(
        [] {
          rt::raise(kOwnError, QStringLiteral("RV1XTests.CResultShock"), QStringLiteral("why"));
        },
        [](const rt::RuntimeError&) { rt::passOn(); });
    FAIL() << "nothing passed on";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), kOwnError);
    EXPECT_EQ(e.Source(), QStringLiteral("RV1XTests.CResultShock"));
    EXPECT_EQ(e.Description(), QStringLiteral("why"));
  }
  EXPECT_FALSE(rt::Err().pending()) << "the handler's scope ended with the throw";
  EXPECT_NO_THROW(rt::passOn()) << "nothing pending, nothing raised";
}

}  // namespace
