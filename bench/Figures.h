#pragma once
// The benchmark's figures, printed side by side at the end: what was
// measured, what it is set against, the ratio and the goal, whether the goal
// was met, and the value before the work that set the goal. A figure that
// could not be measured says why.

#include <QList>
#include <QString>

namespace bench {

struct Figure {
  explicit Figure(QString name = QString()) : what(std::move(name)) {}

  QString what;
  double measured = 0;   // in unit
  double reference = 0;  // the floor or wire time it is set against; 0: none
  QString unit;          // "ms", "s", "MiB" or "%"
  double goal = 0;       // the ratio (or, without a reference, the value) to stay within; 0: none
  QString problem;       // why it could not be measured
};

// The value of a figure before the work that set its goal, as that run of
// the benchmark printed it; empty where the figure had none.
QString before(const QString& what);

class Figures {
 public:
  void add(Figure figure) { figures_.append(std::move(figure)); }
  // The table; every figure's goal met or missed.
  void print() const;

 private:
  QList<Figure> figures_;
};

}  // namespace bench
