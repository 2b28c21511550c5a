#include "SequenceModel.h"

#include <QBrush>
#include <QColor>

#include "SettingsSummary.h"
#include "WorkbenchWords.h"
#include "elements/TestName.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/ErrorHandling.h"
#include "sequence/RecordReport.h"
#include "sequence/SequenceDocument.h"
#include "sequence/TestVerdict.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace workbench {

namespace {

const char* const kHeaders[] = {words::TestHeader, words::SettingsHeader, words::StandardHeader,
                                words::VerdictHeader};

host::StandardsCollectionPtr ownStandards(const host::ITestElementPtr& test) {
  return rt::orDefault([&] { return com::must(com::must(test).Limits()).Standards(); },
                       host::StandardsCollectionPtr());
}

// How an unreadable entry names itself: its info's name, else its class.
QString storedName(const host::XmlElementPtr& entry) {
  if (!entry) return words::text(words::Unreadable);
  const host::XmlElementPtr info = entry->SelectChild(QStringLiteral("Info"));
  const QString name = info ? info->Attribute(QStringLiteral("Name")) : QString();
  if (!name.isEmpty()) return name;
  const QString className = entry->Attribute(QStringLiteral("ClassName"));
  return className.isEmpty() ? words::text(words::TestElement) : className;
}

// A pass green, a failure red, a test without a verdict dark amber; one
// not performed in the text's own colour.
QVariant verdictColour(host::Verdict verdict) {
  switch (verdict) {
    case host::Verdict::Passed:
      return QBrush(QColor(0x1B, 0x7A, 0x30));
    case host::Verdict::Failed:
    case host::Verdict::Aborted:
      return QBrush(QColor(0xB7, 0x1C, 0x1C));
    case host::Verdict::NotPerformed:
      return {};
    default:
      return QBrush(QColor(0x7A, 0x5A, 0x00));
  }
}

}  // namespace

SequenceModel::SequenceModel(QObject* parent) : QAbstractTableModel(parent) {}

void SequenceModel::SetSequence(host::SequenceDocument* sequence) {
  beginResetModel();
  sequence_ = sequence;
  running_.reset();
  summaries_.clear();
  endResetModel();
}

int SequenceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !sequence_ ? 0 : sequence_->RowCount();
}

int SequenceModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

int SequenceModel::ElementIndex(int row) const {
  return sequence_ ? sequence_->ElementIndexOf(row) : -1;
}

int SequenceModel::RowOfElement(int elementIndex) const {
  for (int row = 0; row < rowCount(); ++row)
    if (ElementIndex(row) == elementIndex) return row;
  return -1;
}

host::ITestElementPtr SequenceModel::Element(int row) const {
  const int index = ElementIndex(row);
  return index >= 0 ? sequence_->Element(index) : nullptr;
}

QStringList SequenceModel::StandardChoices(int row) const {
  QStringList names;
  if (const host::StandardsCollectionPtr own = ownStandards(Element(row)))
    for (const host::StandardPtr& standard : *own) names.append(standard->AlphaName());
  return names;
}

QString SequenceModel::Summary(int row) const {
  const host::ITestElementPtr test = Element(row);
  if (sequence_->KeptAsStored(ElementIndex(row), QStringLiteral("PlugInData")))
    return words::text(words::SettingsNotRead);
  auto found = summaries_.find(test.get());
  if (found == summaries_.end()) found = summaries_.insert(test.get(), settingsSummary(*test));
  return *found;
}

QString SequenceModel::StandardText(int row) const {
  if (StandardChoices(row).isEmpty()) return words::text(words::Operator);
  // A stored verdict shows the standard that judged it; without one, the
  // standard the next run judges by.
  const QStringList judged = host::judgingStandardNames(*sequence_, ElementIndex(row));
  if (!judged.isEmpty()) return judged.join(QStringLiteral(", "));
  const host::StandardsCollectionPtr judging = sequence_->JudgingStandards(ElementIndex(row));
  QStringList names;
  for (const host::StandardPtr& standard : *judging) names.append(standard->AlphaName());
  return names.join(QStringLiteral(", "));
}

QVariant SequenceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !sequence_ || index.row() >= rowCount()) return {};
  const int row = index.row();
  const host::ITestElementPtr test = Element(row);
  if (!test) {
    if (role == Qt::DisplayRole) {
      if (index.column() == TestColumn) return storedName(sequence_->StoredEntry(row));
      if (index.column() == VerdictColumn) return words::text(words::Unreadable);
      return QString();
    }
    if (role == Qt::ToolTipRole) return sequence_->Problem(row);
    if (role == Qt::ForegroundRole) return QBrush(QColor(0x80, 0x80, 0x80));
    return {};
  }
  const bool running = test == running_;
  switch (index.column()) {
    // In the tip as well, for a column too narrow to show it whole.
    case TestColumn:
      if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return host::shownTestName(*test);
      break;
    case SettingsColumn:
      if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return Summary(row);
      break;
    case StandardColumn:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return StandardText(row);
      break;
    case VerdictColumn: {
      if (running) {
        if (role == Qt::DisplayRole) return words::text(words::Running);
        if (role == Qt::FontRole) {
          QFont font;
          font.setBold(true);
          return font;
        }
        break;
      }
      if (sequence_->KeptAsStored(ElementIndex(row), QStringLiteral("ResultItem")))
        return role == Qt::DisplayRole ? QVariant(words::text(words::ResultNotRead)) : QVariant();
      const int element = ElementIndex(row);
      const host::TestVerdict verdict = host::verdictOf(*sequence_, element);
      // A verdict of a result the file brought is no outcome of a run made
      // here (a skip or an abort is what the last run did).
      const bool earlier =
          sequence_->HoldsStoredResult(element) && verdict.verdict != host::Verdict::NotPerformed &&
          verdict.verdict != host::Verdict::Skipped && verdict.verdict != host::Verdict::Aborted;
      if (role == Qt::DisplayRole) {
        const QString shown = host::verdictWords(verdict.verdict);
        return earlier ? words::text(words::EarlierRun, {shown}) : shown;
      }
      if (role == Qt::ToolTipRole) {
        QStringList tip;
        if (earlier)
          tip.append(words::text(words::MeasuredAt,
                                 {host::measuredText(sequence_->Marks(element).measured)}));
        if (!verdict.reason.isEmpty()) tip.append(verdict.reason);
        if (!tip.isEmpty()) return tip.join(u'\n');
      }
      if (role == Qt::ForegroundRole) return verdictColour(verdict.verdict);
      break;
    }
    default:
      break;
  }
  return {};
}

QVariant SequenceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section >= 0 && section < ColumnCount ? QVariant(words::text(kHeaders[section]))
                                               : QVariant();
}

Qt::ItemFlags SequenceModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == StandardColumn && !StandardChoices(index.row()).isEmpty())
    flags |= Qt::ItemIsEditable;
  return flags;
}

bool SequenceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != StandardColumn || !sequence_) return false;
  const int row = index.row();
  host::StandardPtr standard;
  if (const host::StandardsCollectionPtr own = ownStandards(Element(row)))
    for (const host::StandardPtr& candidate : *own)
      if (candidate->AlphaName() == value.toString()) standard = candidate;
  if (!standard) return false;
  if (StandardText(row) == standard->AlphaName()) return true;
  auto chosen = std::make_shared<host::StandardsCollection>();
  chosen->Add(standard);
  sequence_->SetSelected(ElementIndex(row), chosen);
  Q_EMIT dataChanged(index, index);
  Q_EMIT Edited();
  return true;
}

void SequenceModel::RowChanged(int row) {
  if (row < 0 || row >= rowCount()) return;
  summaries_.remove(Element(row).get());
  Q_EMIT dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
}

void SequenceModel::Reread() {
  beginResetModel();
  summaries_.clear();
  endResetModel();
}

void SequenceModel::SetRunning(const host::ITestElementPtr& test) {
  running_ = test;
  Q_EMIT dataChanged(index(0, VerdictColumn), index(std::max(rowCount() - 1, 0), VerdictColumn));
}

}  // namespace workbench
