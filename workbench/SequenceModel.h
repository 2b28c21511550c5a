#pragma once
// The workbench's sequence as a table, one row per test of the sequence
// document (SequenceDocument's rows): its name, its settings in short, the
// standard that will judge it and its last verdict in words. A row whose
// entry could not become a test reads "Unreadable", tells why, and cannot be
// edited. The standard is picked per row among the standards of the test's
// limit set; the row of the test a run performs reads "Running" until the
// run has told its outcome. A verdict the document brought and no run of
// the window has replaced says it is from an earlier run.

#include <QAbstractTableModel>
#include <QHash>

#include "typelib/HostTypes.h"

namespace host {
class SequenceDocument;
}

namespace workbench {

class SequenceModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { TestColumn, SettingsColumn, StandardColumn, VerdictColumn, ColumnCount };

  explicit SequenceModel(QObject* parent = nullptr);

  // The document shown; null for none. Read afresh, row by row.
  void SetSequence(host::SequenceDocument* sequence);
  host::SequenceDocument* Sequence() const { return sequence_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The standard column takes the alpha name of one of its row's standards.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The element index of a row; -1 for an unreadable row.
  int ElementIndex(int row) const;
  int RowOfElement(int elementIndex) const;
  host::ITestElementPtr Element(int row) const;
  // The alpha names of the standards the row's limit set holds.
  QStringList StandardChoices(int row) const;

  // The row's test has changed (its settings, its result): shown afresh.
  void RowChanged(int row);
  // Rows came, went or moved in the document.
  void Reread();
  // The test a run is performing, or none (nullptr).
  void SetRunning(const host::ITestElementPtr& test);

 Q_SIGNALS:
  // A standard was picked.
  void Edited();

 private:
  QString Summary(int row) const;
  QString StandardText(int row) const;

  host::SequenceDocument* sequence_ = nullptr;
  host::ITestElementPtr running_;
  mutable QHash<const host::ITestElement*, QString> summaries_;
};

}  // namespace workbench
