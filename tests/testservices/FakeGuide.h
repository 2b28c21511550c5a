#pragma once
// A guide window in small, built like the plug-in's guide on the host's
// controls (toolbar, content pane with two tabs, step list) at the guide's
// designed places, with a result view of its own: a table of one row per
// measurement whose cells a person clicks to judge (columns 2/3 pass/fail,
// 3/4 shock/no shock on the highlighted row, counted from 1 as the result
// views count them). Its runs play the kinds of
// run the tests have:
//   100 timed: stores a value after a while, then ends by itself
//   500 until stopped: stores a reading every 100 ms until Stop
//   600 timed, judged afterwards in the result row
//   700 one step per measurement, each until it is answered on its row
// It writes the navigation code into its run context and hides, as a test
// element's handlers do. The operator tests drive it; the controls tests
// take its pictures.

#include <QTableWidget>

#include "StubResult.h"
#include "records/RunContext.h"
#include "typelib/GuideControls.h"
#include "typelib/IMeasurement.h"
#include "ui/Form.h"
#include "ui/UserControl.h"

namespace testservices {

class FakeMeasurement final : public host::IMeasurement {
 public:
  FakeMeasurement(QString key, QVariant preset)
      : key_(std::move(key)), preset_(std::move(preset)) {}
  QVariant value;
  rt::Long status = 0;

  QString Description() override { return key_; }
  QString Key() override { return key_; }
  QString LimitKey() override { return key_; }
  rt::Long Status() override { return status; }
  QString Unit() override { return QString(); }
  QVariant Value() override { return value; }
  QVariant PresetValue() override { return preset_; }
  rt::Long ValueType() override { return 0; }
  QString ValueFormat() override { return QString(); }
  rt::Long Flags() override { return 0; }
  QString ToolTipText() override { return QString(); }
  void Load(const host::XmlElementPtr&, const host::HostLogPtr&) override {}
  host::XmlElementPtr Save(const host::XmlDocumentPtr&) override { return nullptr; }

 private:
  QString key_;
  QVariant preset_;
};
using FakeMeasurementPtr = std::shared_ptr<FakeMeasurement>;

class FakeResult final : public testsupport::StubResult {
 public:
  QList<FakeMeasurementPtr> measurements;

  rt::Long Status() override;
  host::IMeasurementPtr Measurement(const QVariant& index) override {
    return measurements.at(index.toInt() - 1);
  }
  rt::Long MeasurementCount() override { return static_cast<rt::Long>(measurements.size()); }
};
using FakeResultPtr = std::shared_ptr<FakeResult>;

class FakeResultView final : public ui::UserControl {
 public:
  FakeResultView();
  void Show(const FakeResultPtr& result);
  void Highlight(int row);
  int highlighted() const { return highlighted_; }
  QTableWidget* table() const { return table_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CellClicked(int row, int column);
  QTableWidget* table_;
  FakeResultPtr result_;
  int highlighted_ = -1;
};

class FakeGuide final : public ui::Form {
 public:
  // The test is what the toolbar and pane are bound to (its Result is
  // the fake result the view shows).
  FakeGuide(host::ITestElementPtr test, FakeResultPtr result, host::RunContextPtr ctx);
  ~FakeGuide() override;

  QStringList events;         // the guide's events as a test element sees them
  int runMilliseconds = 300;  // a timed run
  int stepMilliseconds = 3000;

  host::ITgToolbar& toolbar() { return *toolbar_; }
  host::ITgContentPane& pane() { return *pane_; }
  host::ITestWizard& wizard() { return *wizard_; }
  FakeResultView& view() { return *view_; }
  QString identity() const;  // "type/serial/firmware" as the editor shows it

 protected:
  void Form_Resize() override;
  void Form_QueryUnload(bool& cancel) override;

 private:
  void ToolbarEvent(const QString& name, const QVariantList& parameters);
  void Leave(const QString& event, rt::Long code);
  void Run();
  void SetRunState(bool running);

  host::ITestElementPtr test_;
  FakeResultPtr result_;
  host::RunContextPtr ctx_;
  std::shared_ptr<host::ITgToolbar> toolbar_;
  std::shared_ptr<host::ITgContentPane> pane_;
  std::shared_ptr<host::ITestWizard> wizard_;
  std::shared_ptr<FakeResultView> view_;
  std::shared_ptr<ui::Extender> toolbarExtender_;
  std::shared_ptr<ui::UserControl> identityPage_;
  std::shared_ptr<ui::UserControl> waveformPage_;
  bool running_ = false;
  bool stop_ = false;
};

// A fresh result of the test kind: one measurement, or for 700 the shock
// steps with their expected advice.
FakeResultPtr fakeResultFor(rt::Long testID, const QList<bool>& advice = {true, false, true});

}  // namespace testservices
