// The simulated analyzer's answers, without a pseudo-terminal: option text,
// command table, reply columns and the waveform encodings the result and
// waveform classes decode.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "AnalyzerModel.h"

namespace {

using rv1xsim::AnalyzerModel;
using rv1xsim::Generation;
using rv1xsim::SimulatorOptions;

SimulatorOptions parsed(const QString& text) {
  SimulatorOptions options;
  QString error;
  EXPECT_TRUE(rv1xsim::parseOptions(text, options, &error)) << qPrintable(error);
  return options;
}

// The whole reply bytes of one command.
QByteArray answer(AnalyzerModel& model, const QByteArray& command) {
  return model.respond(command).pieces.join();
}

double field(const QByteArray& line, int first, int width) {
  return line.mid(first - 1, width).trimmed().toDouble();
}

TEST(SimulatorOptions, ReadsEveryKindOfOption) {
  const SimulatorOptions o = parsed(
      "mkii,range=p,reject=I+CR,ignore=M,hangup=D,garbage,local=2,split=40/2,truncate=10,extra,"
      "words=16,polls=3,unpaced,energy=120.5,rate=80");
  EXPECT_EQ(o.generation, Generation::MkII);
  EXPECT_EQ(o.range, 'P');
  EXPECT_TRUE(o.faults.rejected.contains("I\r"));
  EXPECT_TRUE(o.faults.rejected.contains("\r"));
  EXPECT_TRUE(o.faults.ignored.contains("M\r"));
  EXPECT_TRUE(o.faults.hangUpOn.contains("D\r"));
  EXPECT_EQ(o.faults.garbageProbes, -1);
  EXPECT_EQ(o.faults.localReplies, 2);
  EXPECT_EQ(o.faults.splitDelayMs, 40);
  EXPECT_EQ(o.faults.splitSize, 2);
  EXPECT_EQ(o.faults.blockBytes, 10);
  EXPECT_EQ(o.faults.extraBytes, 1);
  EXPECT_EQ(o.blockWords, 16);
  EXPECT_EQ(o.pendingPolls, 3);
  EXPECT_FALSE(o.paced);
  EXPECT_DOUBLE_EQ(o.values.energy, 120.5);
  EXPECT_EQ(o.values.rate, 80);
}

TEST(SimulatorOptions, RefusesUnknownAndMalformedOptionsAndKeepsWhatItHad) {
  for (const char* text :
       {"loud", "range=X", "split=", "words=-1", "energy=much", "mkii=1", "reject="}) {
    SimulatorOptions options;
    options.range = 'L';
    QString error;
    EXPECT_FALSE(rv1xsim::parseOptions(QString::fromLatin1(text), options, &error)) << text;
    EXPECT_FALSE(error.isEmpty()) << text;
    EXPECT_EQ(options.range, 'L') << text;
  }
}

TEST(AnalyzerModel, AnswersEachCommandOfTheTestsWithItsAcknowledgementOrData) {
  AnalyzerModel model;
  struct Case {
    QByteArray command;
    QByteArray reply;
  };
  const Case cases[] = {
      {"\r\x0b", "!\r>"}, {"\r", "!\r>"},    {"D\r", "1!\r>"},  {"I\r", "H!\r>"},
      {"R\r", "!\r>"},    {"C\r", "!\r>"},   {"S\r", "!\r>"},   {"F3\r", "!\r>"},
      {"G\r", "!\r>"},    {"J\r", "!\r>"},   {"Q00\r", "!\r>"}, {"Q26\r", "!\r>"},
      {"Y15\r", "!\r>"},  {"N21\r", "!\r>"}, {"E20\r", "!\r>"}, {"W01\r", "!\r>"},
      {"A4\r", "!\r>"},   {"V08\r", "!\r>"}, {"Q27\r", "?\r>"}, {"Y00\r", "?\r>"},
      {"A5\r", "?\r>"},   {"Q5\r", "?\r>"},  {"K\r", "?\r>"},   {"m\r", "?\r>"},
  };
  for (const Case& c : cases) EXPECT_EQ(answer(model, c.command), c.reply) << c.command.constData();
}

TEST(AnalyzerModel, RangeSwitchAnswersTheRangeQuery) {
  for (char range : {'P', 'H', 'L'}) {
    SimulatorOptions options;
    options.range = range;
    AnalyzerModel model(options);
    EXPECT_EQ(answer(model, "I\r"), QByteArray(1, range) + "!\r>");
  }
}

TEST(AnalyzerModel, DefibrillatorMeasurementSitsInTheColumnsTheResultsRead) {
  SimulatorOptions options =
      parsed("energy=98.7,peak-voltage=1520,peak-current=30.4,delay=4.5,charge-time=4.2");
  AnalyzerModel model(options);
  const QByteArray reply = answer(model, "M\r");
  ASSERT_TRUE(reply.endsWith("!\r>"));
  const QByteArray line = reply.left(reply.size() - 2);
  EXPECT_EQ(line.size(), 60);
  EXPECT_DOUBLE_EQ(field(line, 1, 6), 98.7);    // energy
  EXPECT_DOUBLE_EQ(field(line, 9, 6), 1520.0);  // peak voltage
  EXPECT_DOUBLE_EQ(field(line, 17, 6), 30.4);   // peak current
  EXPECT_DOUBLE_EQ(field(line, 25, 7), 4.5);    // delay
  EXPECT_DOUBLE_EQ(field(line, 35, 6), 4.2);    // charge time
}

TEST(AnalyzerModel, PacerMeasurementSitsInTheColumnsTheResultsRead) {
  AnalyzerModel model(parsed(
      "range=P,rate=72,pulse-width=10,amplitude=70,sensitivity=1.2,sensed-rp=250,paced-rp=300"));
  const QByteArray line = answer(model, "M\r").chopped(2);
  EXPECT_EQ(line.size(), 60);
  EXPECT_EQ(line.left(3), "072");
  EXPECT_DOUBLE_EQ(field(line, 8, 6), 10.0);    // pulse width
  EXPECT_DOUBLE_EQ(field(line, 17, 6), 70.0);   // amplitude
  EXPECT_DOUBLE_EQ(field(line, 35, 6), 1.2);    // sensitivity
  EXPECT_DOUBLE_EQ(field(line, 44, 6), 250.0);  // sensed refractory period
  EXPECT_DOUBLE_EQ(field(line, 53, 7), 300.0);  // paced refractory period
}

TEST(AnalyzerModel, DischargePollsAnswerNothingYetUntilTheCountRunsOut) {
  AnalyzerModel model(parsed("polls=2"));
  EXPECT_EQ(answer(model, "D\r"), "0!\r>");
  EXPECT_EQ(answer(model, "D\r"), "0!\r>");
  EXPECT_EQ(answer(model, "D\r"), "1!\r>");
  answer(model, "R\r");
  EXPECT_EQ(answer(model, "D\r"), "0!\r>");
}

TEST(AnalyzerModel, NewerGenerationAnswersXAndZAndTheOlderRejectsThem) {
  AnalyzerModel mkiii;
  EXPECT_EQ(answer(mkiii, "X\r"), "!\r>");
  EXPECT_TRUE(mkiii.inMkIIIMode());
  EXPECT_EQ(answer(mkiii, "Z\r"), "!\r>");
  EXPECT_FALSE(mkiii.inMkIIIMode());
  AnalyzerModel mkii(parsed("mkii"));
  EXPECT_EQ(answer(mkii, "Z\r"), "?\r>");
  EXPECT_EQ(answer(mkii, "X\r"), "?\r>");
}

TEST(AnalyzerModel, NotInRemoteModeRejectsCommandsUntilRemoteOrInItsOwnMode) {
  AnalyzerModel local(parsed("mkii,local=1"));
  EXPECT_EQ(answer(local, "\r"), "!\r>");
  EXPECT_EQ(answer(local, "D\r"), "?\r>");
  EXPECT_EQ(answer(local, "D\r"), "1!\r>");  // remote since the first "D"
  AnalyzerModel alwaysLocal(parsed("local"));
  EXPECT_EQ(answer(alwaysLocal, "I\r"), "?\r>");
  EXPECT_EQ(answer(alwaysLocal, "X\r"), "!\r>");
  EXPECT_EQ(answer(alwaysLocal, "I\r"), "H!\r>");
}

TEST(AnalyzerModel, FaultsShapeTheReplies) {
  AnalyzerModel model(parsed("reject=I,ignore=M,garbage=1,hangup=D,split=30/2"));
  EXPECT_EQ(answer(model, "I\r"), "?\r>");
  EXPECT_TRUE(model.respond("M\r").empty());
  EXPECT_EQ(answer(model, "\r\x0b"), "#");
  EXPECT_EQ(answer(model, "\r\x0b"), "!\r>");
  const rv1xsim::Reply broken = model.respond("D\r");
  EXPECT_TRUE(broken.hangUp);
  EXPECT_EQ(broken.pieces.join(), "1!");
  const rv1xsim::Reply split = model.respond("R\r");
  EXPECT_EQ(split.pieces, (QList<QByteArray>{"!\r", ">"}));
  EXPECT_EQ(split.pieceDelayMs, 30);
  AnalyzerModel silent(parsed("silent"));
  EXPECT_TRUE(silent.respond("\r\x0b").empty());
}

TEST(AnalyzerModel, NewerGenerationBlockAnnouncesItsWordsAndHolds12BitSamples) {
  AnalyzerModel model(parsed("words=16,peak-current=40"));
  const QByteArray block = answer(model, "P\r");
  ASSERT_EQ(block.size(), 2 + 32);
  EXPECT_EQ(static_cast<unsigned char>(block[0]), 0x10);
  EXPECT_EQ(static_cast<unsigned char>(block[1]), 0x00);
  // The peak sample (at a quarter of the block) decodes, with the High
  // range's -0.05 A a count, to the peak current.
  const int hi = static_cast<unsigned char>(block[2 + 2 * 4]);
  const int lo = static_cast<unsigned char>(block[2 + 2 * 4 + 1]);
  EXPECT_LT(hi, 16);
  int raw = hi * 256 + lo;
  if (raw > 2047) raw -= 4096;
  EXPECT_NEAR(raw * -0.05, 40.0, 0.05);
}

TEST(AnalyzerModel, OlderGenerationBlockIs2000BytesOf16BitSamples) {
  AnalyzerModel model(parsed("mkii,range=L,peak-current=20"));
  const QByteArray block = answer(model, "P\r");
  ASSERT_EQ(block.size(), 2000);
  double peak = 0;
  for (int i = 0; i < 150; ++i) {
    const auto raw = static_cast<std::int16_t>((static_cast<unsigned char>(block[2 * i]) << 8) |
                                               static_cast<unsigned char>(block[2 * i + 1]));
    peak = std::max(peak, raw * 0.01);
  }
  EXPECT_NEAR(peak, 20.0, 0.01);
}

TEST(AnalyzerModel, WaveformBlockCanBeCutShortOrCarrySurplusBytes) {
  AnalyzerModel cut(parsed("mkii,truncate=1000"));
  EXPECT_EQ(answer(cut, "P\r").size(), 1000);
  AnalyzerModel surplus(parsed("words=16,extra=3"));
  EXPECT_EQ(answer(surplus, "P\r").size(), 2 + 32 + 3);
}

}  // namespace
