// The simulated analyzer's answers, without a pseudo-terminal: option text,
// command table, the exchanges of each kind of test, the polls that find a
// measurement not made yet, reply columns, faults and the waveform
// encodings the result and waveform classes decode.

#include <gtest/gtest.h>

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

// The whole reply bytes of one command given without its CR.
QByteArray answer(AnalyzerModel& model, const QByteArray& command) {
  return model.respond(command + '\r').pieces.join();
}

double field(const QByteArray& line, int first, int width) {
  return line.mid(first - 1, width).trimmed().toDouble();
}

// Reply lines to "M" in the columns the results read.
const QByteArray kPacing = "072      10.0     70.0              1.20      250       300!\r>";
const QByteArray kNoPulses = "000       0.0      0.0              0.00        0         0!\r>";
const QByteArray kPulsesOnly = "072      10.0     70.0              0.00        0         0!\r>";
const QByteArray kNoSensitivity = "072      10.0     70.0              0.00      250       300!\r>";
const QByteArray kNoPulsesYet = "000       0.0      0.0              1.20      250       300!\r>";
const QByteArray kChargeAndShock =
    "  95.0  1520.0    30.4      4.5      4.2                   !\r>";
const QByteArray kShock = "  95.0  1520.0    30.4      4.5      0.0                   !\r>";
const QByteArray kNoShockYet = "   0.0     0.0     0.0      0.0      0.0                   !\r>";

TEST(SimulatorOptions, ReadsEveryKindOfOption) {
  const SimulatorOptions o = parsed(
      "mkii,range=p,turn-range=h/3,reject=I+CR,ignore=M#2,hangup=D,garbage,local=2,"
      "split=40/2:M,late=150,truncate=10,extra,words=16,polls=3,pacer-polls=9,"
      "sensitivity-polls=4,answer=D:X!,unpaced,energy=120.5,rate=80");
  EXPECT_EQ(o.generation, Generation::MkII);
  EXPECT_EQ(o.range, 'P');
  EXPECT_EQ(o.rangeTurn.to, 'H');
  EXPECT_EQ(o.rangeTurn.afterQueries, 3);
  EXPECT_TRUE(o.faults.rejected.matches("I\r", 5));
  EXPECT_TRUE(o.faults.rejected.matches("\r", 1));
  EXPECT_TRUE(o.faults.ignored.matches("M\r", 2));
  EXPECT_FALSE(o.faults.ignored.matches("M\r", 1));
  EXPECT_TRUE(o.faults.hangUpOn.matches("D\r", 1));
  ASSERT_EQ(o.faults.answers.size(), 1);
  EXPECT_TRUE(o.faults.answers[0].first.matches("D\r", 1));
  EXPECT_EQ(o.faults.answers[0].second, "X!");
  EXPECT_EQ(o.faults.garbageProbes, -1);
  EXPECT_EQ(o.faults.localReplies, 2);
  EXPECT_EQ(o.faults.splitDelayMs, 40);
  EXPECT_EQ(o.faults.splitSize, 2);
  EXPECT_TRUE(o.faults.splitOnly.matches("M\r", 1));
  EXPECT_EQ(o.faults.lateMs, 150);
  EXPECT_TRUE(o.faults.lateOnly.isEmpty());
  EXPECT_EQ(o.faults.blockBytes, 10);
  EXPECT_EQ(o.faults.extraBytes, 1);
  EXPECT_EQ(o.blockWords, 16);
  EXPECT_EQ(o.pendingPolls, 3);
  EXPECT_EQ(o.pacerPolls, 9);
  EXPECT_EQ(o.sensitivityPolls, 4);
  EXPECT_FALSE(o.paced);
  EXPECT_DOUBLE_EQ(o.values.energy, 120.5);
  EXPECT_EQ(o.values.rate, 80);
}

TEST(SimulatorOptions, RefusesUnknownAndMalformedOptionsAndKeepsWhatItHad) {
  for (const char* text :
       {"loud", "range=X", "split=", "split=5/0", "words=-1", "energy=much", "mkii=1",
        "reject=", "hangup=D#0", "ignore=#2", "late=5:", "late=soon", "answer=:X!", "answer=D",
        "turn-range=P", "turn-range=Q/2", "turn-range=H/0", "pacer-polls=-1"}) {
    SimulatorOptions options;
    options.range = 'L';
    QString error;
    EXPECT_FALSE(rv1xsim::parseOptions(QString::fromLatin1(text), options, &error)) << text;
    EXPECT_FALSE(error.isEmpty()) << text;
    EXPECT_EQ(options.range, 'L') << text;
  }
}

TEST(AnalyzerModel, AnswersTheCommandsItKnowsAndRejectsTheRest) {
  struct Case {
    const char* options;
    QByteArray command;
    QByteArray reply;
  };
  const Case cases[] = {
      {"", "R", "!\r>"},      {"", "C", "!\r>"},         {"", "S", "!\r>"},
      {"", "F3", "!\r>"},     {"", "G", "!\r>"},         {"", "J", "!\r>"},
      {"", "Q00", "!\r>"},    {"", "Q26", "!\r>"},       {"", "Y01", "!\r>"},
      {"", "Y15", "!\r>"},    {"", "N01", "!\r>"},       {"", "N21", "!\r>"},
      {"", "E01", "!\r>"},    {"", "E20", "!\r>"},       {"", "W01", "!\r>"},
      {"", "W14", "!\r>"},    {"", "A1", "!\r>"},        {"", "A4", "!\r>"},
      {"", "V01", "!\r>"},    {"", "V08", "!\r>"},       {"", "", "!\r>"},
      {"", "Q27", "?\r>"},    {"", "Y00", "?\r>"},       {"", "N22", "?\r>"},
      {"", "E00", "?\r>"},    {"", "W15", "?\r>"},       {"", "A5", "?\r>"},
      {"", "V09", "?\r>"},    {"", "V100", "?\r>"},      {"", "F1", "?\r>"},
      {"", "Q5", "?\r>"},     {"", "Q0A", "?\r>"},       {"", "K", "?\r>"},
      {"", "m", "?\r>"},      {"", "RR", "?\r>"},        {"mkii", "G", "?\r>"},
      {"mkii", "J", "?\r>"},  {"mkii", "X", "?\r>"},     {"mkii", "Z", "?\r>"},
      {"mkii", "F3", "!\r>"}, {"range=L", "I", "L!\r>"}, {"range=P", "I", "P!\r>"},
  };
  for (const Case& c : cases) {
    AnalyzerModel model(parsed(QString::fromLatin1(c.options)));
    EXPECT_EQ(answer(model, c.command), c.reply) << c.options << " " << c.command.constData();
  }
}

// The command sequence each kind of test sends, with the analyzer's replies;
// the options make the operator and the measurements take their time.
TEST(AnalyzerModel, AnswersEachTestRunsExchangesInTheFieldsTheResultsRead) {
  struct Exchange {
    QByteArray command;
    QByteArray reply;
  };
  struct Run {
    const char* name;
    const char* options;
    QList<Exchange> exchanges;
  };
  const Run runs[] = {
      {"refractory",
       "range=H,turn-range=P/2,pacer-polls=1,polls=2",
       {{"R", "!\r>"},
        {"I", "H!\r>"},
        {"I", "H!\r>"},
        {"I", "P!\r>"},
        {"Q00", "!\r>"},
        {"M", kNoPulses},
        {"M", kPulsesOnly},
        {"C", "!\r>"},
        {"D", "0!\r>"},
        {"D", "0!\r>"},
        {"D", "1!\r>"},
        {"M", kNoSensitivity}}},
      {"sensitivity",
       "range=P,sensitivity-polls=2",
       {{"I", "P!\r>"},
        {"Q03", "!\r>"},
        {"Y01", "!\r>"},
        {"M", kPacing},
        {"S", "!\r>"},
        {"M", kNoSensitivity},
        {"M", kNoSensitivity},
        {"M", kPacing}}},
      {"pacer accuracy",
       "range=P,pacer-polls=2",
       {{"I", "P!\r>"},
        {"Q00", "!\r>"},
        {"N11", "!\r>"},
        {"M", kNoPulsesYet},
        {"M", kNoPulsesYet},
        {"M", kPacing},
        {"M", kPacing}}},
      {"charge time",
       "range=L,turn-range=H/1,polls=1",
       {{"I", "L!\r>"},
        {"I", "H!\r>"},
        {"G", "!\r>"},
        {"R", "!\r>"},
        {"F3", "!\r>"},
        {"D", "0!\r>"},
        {"D", "1!\r>"},
        {"M", kChargeAndShock}}},
      {"discharge",
       "range=H,polls=2",
       {{"I", "H!\r>"},
        {"R", "!\r>"},
        {"E04", "!\r>"},
        {"A3", "!\r>"},
        {"J", "!\r>"},
        {"D", "0!\r>"},
        {"D", "0!\r>"},
        {"D", "1!\r>"},
        {"M", kShock}}},
      {"ECG performance",
       "range=P,turn-range=L/1",
       {{"I", "P!\r>"},
        {"I", "L!\r>"},
        {"W03", "!\r>"},
        {"A3", "!\r>"},
        {"E01", "!\r>"},
        {"W01", "!\r>"}}},
      {"shock advisory", "range=H", {{"I", "H!\r>"}, {"V02", "!\r>"}, {"V08", "!\r>"}}},
  };
  for (const Run& run : runs) {
    SCOPED_TRACE(run.name);
    AnalyzerModel model(parsed(QString::fromLatin1(run.options)));
    // The opening: probe, CR, remote check, generation detection.
    EXPECT_EQ(model.respond("\r\x0b").pieces.join(), "!\r>");
    for (const QByteArray& opening : {QByteArray(""), QByteArray("D"), QByteArray("Z")})
      EXPECT_TRUE(answer(model, opening).endsWith("!\r>")) << opening.constData();
    EXPECT_EQ(answer(model, "X"), "!\r>");
    for (const Exchange& exchange : run.exchanges)
      EXPECT_EQ(answer(model, exchange.command), exchange.reply) << exchange.command.constData();
  }
}

TEST(AnalyzerModel, MeasurementLinesHoldEachValueInItsColumns) {
  AnalyzerModel defibrillator(
      parsed("energy=98.7,peak-voltage=1520,peak-current=30.4,delay=4.5,charge-time=4.2,polls=0"));
  answer(defibrillator, "F3");
  answer(defibrillator, "D");
  const QByteArray line = answer(defibrillator, "M").chopped(2);
  ASSERT_EQ(line.size(), 60);
  EXPECT_DOUBLE_EQ(field(line, 1, 6), 98.7);    // energy
  EXPECT_DOUBLE_EQ(field(line, 9, 6), 1520.0);  // peak voltage
  EXPECT_DOUBLE_EQ(field(line, 17, 6), 30.4);   // peak current
  EXPECT_DOUBLE_EQ(field(line, 25, 7), 4.5);    // delay
  EXPECT_DOUBLE_EQ(field(line, 35, 6), 4.2);    // charge time

  // The paced value stands right-aligned at column 59, wider than the sensed one.
  AnalyzerModel pacer(parsed("range=P,sensed-rp=0,paced-rp=7,sensitivity=-1.5,rate=5"));
  const QByteArray pace = answer(pacer, "M").chopped(2);
  EXPECT_EQ(pace.left(3), "005");
  EXPECT_DOUBLE_EQ(field(pace, 35, 6), -1.5);
  EXPECT_DOUBLE_EQ(field(pace, 44, 6), 0.0);
  EXPECT_EQ(pace.mid(52, 7), "      7");
}

TEST(AnalyzerModel, AMeasurementShowsOnlyOnceItIsMadeAndEachStartRestartsItsCount) {
  AnalyzerModel model(parsed("polls=1,words=16"));
  // Powered up with its last measurement.
  EXPECT_EQ(answer(model, "D"), "1!\r>");
  EXPECT_EQ(answer(model, "M"), kChargeAndShock);
  answer(model, "R");
  EXPECT_EQ(answer(model, "M"), kNoShockYet) << "no shock before a poll finds it";
  EXPECT_EQ(answer(model, "P").mid(2), QByteArray(32, '\0')) << "no discharge recorded yet";
  EXPECT_EQ(answer(model, "D"), "0!\r>");
  EXPECT_EQ(answer(model, "D"), "1!\r>");
  EXPECT_EQ(answer(model, "D"), "1!\r>") << "made stays made";
  EXPECT_EQ(answer(model, "M"), kShock) << "no charge time without charge-time mode";
  EXPECT_NE(answer(model, "P").mid(2), QByteArray(32, '\0'));
  answer(model, "F3");
  EXPECT_EQ(answer(model, "D"), "0!\r>");
  answer(model, "C");
  EXPECT_EQ(answer(model, "D"), "0!\r>") << "the refractory measurement counts afresh";
  EXPECT_EQ(answer(model, "D"), "1!\r>");
}

TEST(AnalyzerModel, OptionsSetWhileRunningChangeTheNextReplyButNotAMeasurementUnderWay) {
  AnalyzerModel model(parsed("polls=2"));
  answer(model, "R");
  EXPECT_EQ(answer(model, "D"), "0!\r>");
  SimulatorOptions changed = model.options();
  ASSERT_TRUE(rv1xsim::parseOptions(QStringLiteral("energy=151.2,polls=0"), changed));
  model.setOptions(changed);
  EXPECT_EQ(answer(model, "D"), "0!\r>");
  EXPECT_EQ(answer(model, "D"), "1!\r>");
  EXPECT_DOUBLE_EQ(field(answer(model, "M"), 1, 6), 151.2);
  answer(model, "R");
  EXPECT_EQ(answer(model, "D"), "1!\r>") << "the new count applies from the next start";
}

TEST(AnalyzerModel, WaveAndEndCodesSwitchTheEcgOutput) {
  AnalyzerModel model;
  EXPECT_FALSE(model.state().simulating());
  answer(model, "W03");
  answer(model, "A3");
  EXPECT_EQ(model.state().wave, "W03");
  EXPECT_EQ(model.state().amplitude, "A3");
  answer(model, "Z");
  EXPECT_TRUE(model.state().simulating()) << "leaving the own mode stops nothing";
  answer(model, "E01");
  EXPECT_FALSE(model.state().simulating());
  answer(model, "V02");
  EXPECT_EQ(model.state().wave, "V02");
  answer(model, "V08");
  EXPECT_EQ(model.state().wave, "V08") << "a rhythm replaces the one before";
  answer(model, "W01");
  EXPECT_FALSE(model.state().simulating());
  for (const char* code : {"Q05", "Y03", "N12", "G", "F3"}) answer(model, code);
  EXPECT_EQ(model.state().load, "Q05");
  EXPECT_EQ(model.state().trigger, "Y03");
  EXPECT_EQ(model.state().noise, "N12");
  EXPECT_TRUE(model.state().autoPlayback);
  EXPECT_TRUE(model.state().chargeTimeMode);
  answer(model, "R");
  EXPECT_FALSE(model.state().chargeTimeMode);
}

TEST(AnalyzerModel, NewerGenerationAnswersXAndZAndTheOlderRejectsThem) {
  AnalyzerModel mkiii;
  EXPECT_EQ(answer(mkiii, "X"), "!\r>");
  EXPECT_TRUE(mkiii.inMkIIIMode());
  EXPECT_EQ(answer(mkiii, "Z"), "!\r>");
  EXPECT_FALSE(mkiii.inMkIIIMode());
  AnalyzerModel mkii(parsed("mkii"));
  EXPECT_EQ(answer(mkii, "X"), "?\r>");
  EXPECT_FALSE(mkii.inMkIIIMode());
}

TEST(AnalyzerModel, NotInRemoteModeRejectsCommandsUntilRemoteOrInItsOwnMode) {
  AnalyzerModel local(parsed("mkii,local=1"));
  EXPECT_EQ(local.respond("\r").pieces.join(), "!\r>");
  EXPECT_EQ(answer(local, "D"), "?\r>");
  EXPECT_EQ(answer(local, "D"), "1!\r>");  // remote since the first "D"
  AnalyzerModel alwaysLocal(parsed("local"));
  EXPECT_EQ(answer(alwaysLocal, "I"), "?\r>");
  EXPECT_EQ(answer(alwaysLocal, "X"), "!\r>");
  EXPECT_EQ(answer(alwaysLocal, "I"), "H!\r>");
}

TEST(AnalyzerModel, FaultsShapeTheRepliesOfTheCommandsTheyName) {
  AnalyzerModel model(
      parsed("reject=I#2,ignore=M,garbage=1,hangup=D#2,split=30/2:R,late=200:S,answer=C#2:x!"));
  EXPECT_EQ(model.respond("\r\x0b").pieces.join(), "#");
  EXPECT_EQ(model.respond("\r\x0b").pieces.join(), "!\r>");
  EXPECT_EQ(answer(model, "I"), "H!\r>");
  EXPECT_EQ(answer(model, "I"), "?\r>");
  EXPECT_EQ(answer(model, "I"), "H!\r>");
  EXPECT_TRUE(model.respond("M\r").empty());
  EXPECT_EQ(answer(model, "C"), "!\r>");
  EXPECT_EQ(answer(model, "C"), "x!\r>");
  const rv1xsim::Reply split = model.respond("R\r");
  EXPECT_EQ(split.pieces, (QList<QByteArray>{"!\r", ">"}));
  EXPECT_EQ(split.pieceDelayMs, 30);
  EXPECT_EQ(split.delayMs, 0);
  const rv1xsim::Reply late = model.respond("S\r");
  EXPECT_EQ(late.pieces, (QList<QByteArray>{"!\r>"}));
  EXPECT_EQ(late.delayMs, 200);
  EXPECT_EQ(answer(model, "D"), "1!\r>");
  const rv1xsim::Reply broken = model.respond("D\r");
  EXPECT_TRUE(broken.hangUp);
  EXPECT_EQ(broken.pieces.join(), "1!");
  AnalyzerModel silent(parsed("silent"));
  EXPECT_TRUE(silent.respond("\r\x0b").empty());
  AnalyzerModel healed(parsed("silent,reject=I,no-faults"));
  EXPECT_EQ(answer(healed, "I"), "H!\r>");
}

TEST(AnalyzerModel, RejectedAndUnansweredCommandsAreNotCarriedOutAndHangUpsAre) {
  AnalyzerModel rejected(parsed("polls=3,reject=R"));
  answer(rejected, "R");
  EXPECT_EQ(answer(rejected, "D"), "1!\r>") << "no shock awaited";
  AnalyzerModel ignored(parsed("ignore=W01"));
  answer(ignored, "W03");
  answer(ignored, "W01");
  EXPECT_TRUE(ignored.state().simulating());
  AnalyzerModel hungUp(parsed("hangup=W01"));
  answer(hungUp, "W03");
  answer(hungUp, "W01");
  EXPECT_FALSE(hungUp.state().simulating());
}

TEST(AnalyzerModel, NewerGenerationBlockAnnouncesItsWordsAndHolds12BitSamples) {
  AnalyzerModel model(parsed("words=16,peak-current=40"));
  const QByteArray block = answer(model, "P");
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
  const QByteArray block = answer(model, "P");
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
  EXPECT_EQ(answer(cut, "P").size(), 1000);
  AnalyzerModel surplus(parsed("words=16,extra=3"));
  EXPECT_EQ(answer(surplus, "P").size(), 2 + 32 + 3);
}

TEST(AnalyzerModel, HelpListsEveryCommandFamily) {
  const QString help = AnalyzerModel::commandsHelp();
  for (const char* label : {"Q00-Q26", "Y01-Y15", "N01-N21", "E02-E20", "W02-W14", "A1-A4",
                            "V01-V08", "F3", "E01", "W01"})
    EXPECT_TRUE(help.contains(QLatin1String(label))) << label;
}

}  // namespace
