#pragma once
// The host's limit editor ("OrvanView.XLimitView"). The limit set that opens
// it first adds one row per measurement key of its test, then hands itself
// over through Initialize. The view shows one page per standard of the limit
// set, named by the standard's alpha name; each page is a table of the rows
// with the row's operator, its low and high limit (a check box for the
// enabled flag beside the value), the absolute tolerance of each side where
// the row's operator takes one ("X+max(X*Y%,Z)": the Z of "HighZ" and
// "LowZ"; the two columns show only on a page that has such a limit) and
// its unit. Every edit goes at once into
// that standard's own Limit of the row's key (made when the standard has
// none yet) and is reported to the callback as "Change".
//
// Child widgets, by object name: "tabStandards" (the pages), one
// "grdLimits" table per page, "cboOperator" in a row that offers operators,
// and "lblNoStandard" while the limit set holds no standard.

#include <QList>
#include <QStringList>

#include "controls/CustomControl.h"
#include "typelib/ILimitView.h"

class QLabel;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;

namespace orvanView {

// The columns of a page's table, from the left.
enum Column {
  CaptionColumn,
  OperatorColumn,
  LowColumn,
  HighColumn,
  LowAbsoluteColumn,
  HighAbsoluteColumn,
  UnitColumn,
  ColumnCount
};

class XLimitView final : public host::CustomControl, public host::ILimitView {
 public:
  XLimitView();
  ~XLimitView() override;

  void AddRow(const QString& key, const QString& caption, const QString& unit,
              const QString& operators) override;

  // Data: the limit set (ILimitData) whose standards are edited.
  void Initialize(const QVariant& Data) override;
  void Refresh() override { Rebuild(); }
  void SetFocus() override;

 private:
  struct Row {
    QString key;
    QString caption;
    QString unit;
    QStringList operators;  // empty: the row offers no choice
  };

  void Rebuild();
  QWidget* BuildPage(const host::StandardPtr& standard);
  void FillRow(QTableWidget& table, int index, const Row& row, const host::StandardPtr& standard);
  void FillAbsolutes(QTableWidget& table, int index, const host::LimitPtr& limit);
  void ShowAbsoluteColumns(QTableWidget& table, const host::StandardPtr& standard);
  void BoundEdited(QTableWidgetItem& item, const Row& row, const host::StandardPtr& standard);
  void AbsoluteEdited(QTableWidgetItem& item, const Row& row, const host::StandardPtr& standard);
  void OperatorChosen(const QString& text, const Row& row, const host::StandardPtr& standard);
  void LockedChanged(bool locked) override;

  QList<Row> rows_;
  host::ILimitDataPtr limits_;
  QTabWidget* tabs_ = nullptr;
  QLabel* noStandard_ = nullptr;
};

}  // namespace orvanView
