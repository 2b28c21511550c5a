#include "XLimitView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

#include "com/ServerModule.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Locale.h"
#include "typelib/ILimitData.h"

namespace orvanView {

namespace {

// What the user typed, read in the user's locale; none for a text that is no
// number.
std::optional<float> enteredNumber(const QTableWidgetItem& item) {
  bool isNumber = false;
  const float value = rt::userLocale().toFloat(item.text().trimmed(), &isNumber);
  return isNumber ? std::optional<float>(value) : std::nullopt;
}

const QStringList& columnTitles() {
  static const QStringList titles{QStringLiteral("Measurement"),  QStringLiteral("Operator"),
                                  QStringLiteral("Low limit"),    QStringLiteral("High limit"),
                                  QStringLiteral("Low absolute"), QStringLiteral("High absolute"),
                                  QStringLiteral("Unit")};
  return titles;
}

rt::Integer boundOf(int column) {
  return column == HighColumn || column == HighAbsoluteColumn ? host::limitindex::High
                                                              : host::limitindex::Low;
}

bool isAbsolute(int column) {
  return column == LowAbsoluteColumn || column == HighAbsoluteColumn;
}

// Whether the limit takes an absolute tolerance beside its bound.
bool takesAbsolute(const host::LimitPtr& limit) {
  return limit && rt::orDefault(
                      [&] { return limit->Operator(0) == host::kGreaterToleranceOperator; }, false);
}

// "<op>Y;X+Y</op>" -> {"Y", "X+Y"}; the tags may be left out.
QStringList operatorList(QString text) {
  text = text.trimmed();
  if (text.startsWith(QLatin1String("<op>"))) text.remove(0, 4);
  if (text.endsWith(QLatin1String("</op>"))) text.chop(5);
  return text.split(u';', Qt::SkipEmptyParts);
}

QTableWidgetItem* fixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

// The limit of the row's key in the standard; one is made for a standard
// that has none yet, so that every row the view shows can be edited.
host::LimitPtr limitFor(host::Standard& standard, const QString& key, const QString& unit) {
  if (host::LimitPtr limit = standard.FindLimit(key)) return limit;
  auto limit = std::make_shared<host::Limit>();
  limit->Init(key, unit, QString(), QString());
  standard.AddLimit(limit);
  return limit;
}

}  // namespace

XLimitView::XLimitView() {
  setObjectName(QStringLiteral("XLimitView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabStandards"));
  noStandard_ = new QLabel(QStringLiteral("This test has no standard to edit."), this);
  noStandard_->setObjectName(QStringLiteral("lblNoStandard"));
  noStandard_->setAlignment(Qt::AlignCenter);
  layout->addWidget(tabs_);
  layout->addWidget(noStandard_);
  resize(520, 240);
  Rebuild();
}

XLimitView::~XLimitView() = default;

void XLimitView::AddRow(const QString& key, const QString& caption, const QString& unit,
                        const QString& operators) {
  rows_.append(Row{key, caption, unit, operatorList(operators)});
  Rebuild();
}

void XLimitView::LockedChanged(bool) {
  Rebuild();
}

void XLimitView::Initialize(const QVariant& Data) {
  limits_ = com::variantAs<host::ILimitData>(Data);
  Rebuild();
}

void XLimitView::SetFocus() {
  if (QWidget* page = tabs_->currentWidget()) page->setFocus();
}

void XLimitView::Rebuild() {
  const int current = tabs_->currentIndex();
  while (tabs_->count() > 0) {
    QWidget* page = tabs_->widget(0);
    tabs_->removeTab(0);
    delete page;
  }
  const host::StandardsCollectionPtr standards =
      rt::orDefault([&] { return com::must(limits_).Standards(); }, host::StandardsCollectionPtr());
  if (standards) {
    for (const host::StandardPtr& standard : *standards) {
      const int index = tabs_->addTab(BuildPage(standard), standard->AlphaName());
      tabs_->setTabToolTip(index, standard->CompleteName());
    }
  }
  if (current >= 0 && current < tabs_->count()) tabs_->setCurrentIndex(current);
  tabs_->setVisible(tabs_->count() > 0);
  noStandard_->setVisible(tabs_->count() == 0);
}

QWidget* XLimitView::BuildPage(const host::StandardPtr& standard) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* title = new QLabel(standard->CompleteName(), page);
  title->setObjectName(QStringLiteral("lblStandard"));
  layout->addWidget(title);

  auto* table = new QTableWidget(static_cast<int>(rows_.size()), ColumnCount, page);
  table->setObjectName(QStringLiteral("grdLimits"));
  table->setHorizontalHeaderLabels(columnTitles());
  table->verticalHeader()->hide();
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setEditTriggers(Locked() ? QAbstractItemView::NoEditTriggers
                                  : QAbstractItemView::AllEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(CaptionColumn, QHeaderView::Stretch);
  for (int i = 0; i < rows_.size(); ++i) FillRow(*table, i, rows_.at(i), standard);
  ShowAbsoluteColumns(*table, standard);
  table->resizeColumnsToContents();
  table->horizontalHeader()->setSectionResizeMode(CaptionColumn, QHeaderView::Stretch);
  layout->addWidget(table);

  connect(table, &QTableWidget::itemChanged, this, [this, table, standard](QTableWidgetItem* item) {
    const int row = item->row();
    if (row < 0 || row >= rows_.size()) return;
    const QSignalBlocker quiet(table);  // the item is corrected below without a second round
    if (item->column() == LowColumn || item->column() == HighColumn)
      BoundEdited(*item, rows_.at(row), standard);
    else if (isAbsolute(item->column()))
      AbsoluteEdited(*item, rows_.at(row), standard);
  });
  return page;
}

// The absolute tolerances are shown where a row's limit takes one; a page
// without such a limit keeps the plain columns.
void XLimitView::ShowAbsoluteColumns(QTableWidget& table, const host::StandardPtr& standard) {
  bool any = false;
  for (const Row& row : rows_)
    any = any || takesAbsolute(
                     rt::orDefault([&] { return standard->FindLimit(row.key); }, host::LimitPtr()));
  table.setColumnHidden(LowAbsoluteColumn, !any);
  table.setColumnHidden(HighAbsoluteColumn, !any);
}

void XLimitView::FillAbsolutes(QTableWidget& table, int index, const host::LimitPtr& limit) {
  const QSignalBlocker quiet(&table);
  const bool takes = takesAbsolute(limit);
  for (int column : {LowAbsoluteColumn, HighAbsoluteColumn}) {
    auto* item =
        new QTableWidgetItem(takes ? rt::cstr(limit->Absolute(boundOf(column))) : QString());
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (takes && !Locked()) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(index, column, item);
  }
}

void XLimitView::FillRow(QTableWidget& table, int index, const Row& row,
                         const host::StandardPtr& standard) {
  const QSignalBlocker quiet(&table);
  const host::LimitPtr limit = standard->FindLimit(row.key);
  table.setItem(index, CaptionColumn, fixedItem(row.caption));
  table.setItem(index, UnitColumn, fixedItem(row.unit));

  for (int column : {LowColumn, HighColumn}) {
    const rt::Integer bound = boundOf(column);
    auto* item = new QTableWidgetItem(limit ? rt::cstr(limit->Value(bound)) : QString());
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (!Locked()) flags |= Qt::ItemIsEditable | Qt::ItemIsUserCheckable;
    item->setFlags(flags);
    item->setCheckState(limit && limit->Enabled(bound) ? Qt::Checked : Qt::Unchecked);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(index, column, item);
  }
  FillAbsolutes(table, index, limit);

  const QString current = limit ? limit->Operator(0) : QString();
  if (row.operators.isEmpty()) {
    table.setItem(index, OperatorColumn, fixedItem(current));
    return;
  }
  auto* choice = new QComboBox;
  choice->setObjectName(QStringLiteral("cboOperator"));
  choice->addItems(row.operators);
  // An operator the row does not offer (a stored one) is shown as it is,
  // never replaced unasked.
  if (!current.isEmpty() && !row.operators.contains(current)) choice->addItem(current);
  choice->setCurrentIndex(choice->findText(current));
  choice->setEnabled(!Locked());
  table.setCellWidget(index, OperatorColumn, choice);
  connect(choice, &QComboBox::currentTextChanged, this,
          [this, &table, index, row, standard](const QString& text) {
            OperatorChosen(text, row, standard);
            rt::ignoreErrors([&] {
              FillAbsolutes(table, index, standard->FindLimit(row.key));
              ShowAbsoluteColumns(table, standard);
            });
          });
}

void XLimitView::BoundEdited(QTableWidgetItem& item, const Row& row,
                             const host::StandardPtr& standard) {
  const rt::Integer bound = boundOf(item.column());
  rt::ignoreErrors([&] {
    const host::LimitPtr limit = limitFor(*standard, row.key, row.unit);
    if (const std::optional<float> value = enteredNumber(item)) limit->SetValue(bound, *value);
    limit->SetEnabled(bound, item.checkState() == Qt::Checked);
    // What the limit holds now, as the user's locale writes it (a text that
    // is no number falls back to the value kept).
    item.setText(rt::cstr(limit->Value(bound)));
  });
  NotifyChange();
}

void XLimitView::AbsoluteEdited(QTableWidgetItem& item, const Row& row,
                                const host::StandardPtr& standard) {
  const rt::Integer bound = boundOf(item.column());
  rt::ignoreErrors([&] {
    const host::LimitPtr limit = limitFor(*standard, row.key, row.unit);
    if (const std::optional<float> value = enteredNumber(item)) limit->SetAbsolute(bound, *value);
    item.setText(rt::cstr(limit->Absolute(bound)));
  });
  NotifyChange();
}

void XLimitView::OperatorChosen(const QString& text, const Row& row,
                                const host::StandardPtr& standard) {
  if (text.isEmpty()) return;
  rt::ignoreErrors([&] { limitFor(*standard, row.key, row.unit)->SetOperator(0, text); });
  NotifyChange();
}

RV1X_CREATABLE_CLASS("orvanView", XLimitView)

}  // namespace orvanView
