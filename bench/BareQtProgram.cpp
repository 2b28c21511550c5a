// rv1x-bench-bare-qt: the bare Qt program that the start-up of rv1x-host is
// set against: it links Qt Core alone, starts a Qt application and ends.

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return 0;
}
