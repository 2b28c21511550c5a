#include "operator/OperatorScript.h"

#include <QFile>
#include <QRegularExpression>
#include <map>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "typelib/GuideControls.h"
#include "ui/MessageBoxes.h"

namespace host {

namespace {

using namespace guidebuttons;

const QString kSource = QStringLiteral("OperatorScript");

// Words that stand alone.
const std::map<QString, OperatorStep>& plainWords() {
  static const std::map<QString, OperatorStep> table{
      {QStringLiteral("play"), {OperatorStep::Press, QStringLiteral("play"), Play}},
      {QStringLiteral("stop"), {OperatorStep::Press, QStringLiteral("stop"), Stop}},
      {QStringLiteral("next"), {OperatorStep::Press, QStringLiteral("next"), Next}},
      {QStringLiteral("previous"), {OperatorStep::Press, QStringLiteral("previous"), Previous}},
      {QStringLiteral("skip"), {OperatorStep::Press, QStringLiteral("skip"), Skip}},
      {QStringLiteral("na"), {OperatorStep::Press, QStringLiteral("na"), NotApplicable}},
      {QStringLiteral("wait-run"), {OperatorStep::WaitRun, QStringLiteral("wait-run")}},
      {QStringLiteral("wait-stored"), {OperatorStep::WaitStored, QStringLiteral("wait-stored")}},
      {QStringLiteral("verdict"), {OperatorStep::Verdict, QStringLiteral("verdict")}},
  };
  return table;
}

const std::map<QString, int>& answerWords() {
  static const std::map<QString, int> table{
      {QStringLiteral("ok"), ui::mb::Ok},         {QStringLiteral("cancel"), ui::mb::Cancel},
      {QStringLiteral("abort"), ui::mb::Abort},   {QStringLiteral("retry"), ui::mb::Retry},
      {QStringLiteral("ignore"), ui::mb::Ignore}, {QStringLiteral("yes"), ui::mb::Yes},
      {QStringLiteral("no"), ui::mb::No}};
  return table;
}

[[noreturn]] void badWord(int line, const QString& word, const QString& why) {
  rt::raise(rt::err::InvalidCall, kSource,
            QStringLiteral("operator script line %1: \"%2\": %3").arg(line).arg(word, why));
}

int wholeNumber(int line, const QString& word, const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  if (!ok) badWord(line, word, QStringLiteral("\"%1\" is not a whole number").arg(text));
  return number;
}

int milliseconds(int line, const QString& word, const QString& text) {
  bool ok = false;
  const double seconds = text.trimmed().toDouble(&ok);
  if (!ok || seconds < 0)
    badWord(line, word, QStringLiteral("\"%1\" is not a number of seconds").arg(text));
  return static_cast<int>(rt::roundHalfEven(seconds * 1000));
}

OperatorStep step(OperatorStep::Kind kind, const QString& word) {
  OperatorStep s;
  s.kind = kind;
  s.word = word;
  return s;
}

OperatorStep press(rt::Long button, const QString& word) {
  OperatorStep s = step(OperatorStep::Press, word);
  s.button = button;
  return s;
}

OperatorStep answer(int value, const QString& word) {
  OperatorStep s = step(OperatorStep::Answer, word);
  s.answer = value;
  return s;
}

}  // namespace

OperatorScript::Line OperatorScript::ParseLine(const QStringList& words, int number) {
  Line line;
  for (const QString& word : words) {
    const QString name = word.section(u'=', 0, 0).toLower();
    const QString value = word.section(u'=', 1);
    const bool hasValue = word.contains(u'=');
    if (!hasValue) {
      if (name == QLatin1String("pass") || name == QLatin1String("fail")) {
        line.verdict = name == QLatin1String("pass");
      } else if (name == QLatin1String("abort")) {
        // The toolbar's Abort asks first; the operator means it.
        line.actions.append(answer(ui::mb::Yes, QStringLiteral("answer=yes")));
        line.actions.append(press(Abort, name));
      } else if (auto it = plainWords().find(name); it != plainWords().end()) {
        line.actions.append(it->second);
      } else {
        badWord(number, word, QStringLiteral("unknown word"));
      }
      continue;
    }
    if (name == QLatin1String("press")) {
      line.actions.append(press(wholeNumber(number, word, value), word));
    } else if (name == QLatin1String("wait")) {
      OperatorStep s = step(OperatorStep::Wait, word);
      s.milliseconds = milliseconds(number, word, value);
      line.actions.append(s);
    } else if (name == QLatin1String("verdict")) {
      const QString v = value.toLower();
      if (v != QLatin1String("pass") && v != QLatin1String("fail"))
        badWord(number, word, QStringLiteral("the verdict is pass or fail"));
      line.verdict = v == QLatin1String("pass");
      line.actions.append(step(OperatorStep::Verdict, word));
    } else if (name == QLatin1String("click")) {
      const QStringList parts = value.split(u',');
      const bool right =
          parts.size() == 3 && parts.at(2).trimmed().toLower() == QLatin1String("right");
      if (parts.size() < 2 || (parts.size() == 3 && !right) || parts.size() > 3)
        badWord(number, word, QStringLiteral("a click is <row>,<column>[,right]"));
      OperatorStep s = step(OperatorStep::Click, word);
      s.row = wholeNumber(number, word, parts.at(0));
      s.column = wholeNumber(number, word, parts.at(1));
      s.rightButton = right;
      line.actions.append(s);
    } else if (name == QLatin1String("answer")) {
      const auto it = answerWords().find(value.toLower());
      if (it == answerWords().end()) badWord(number, word, QStringLiteral("unknown answer"));
      line.actions.append(answer(it->second, word));
    } else if (name == QLatin1String("tab")) {
      OperatorStep s = step(OperatorStep::Tab, word);
      s.column = wholeNumber(number, word, value);
      line.actions.append(s);
    } else if (name == QLatin1String("mti")) {
      const QStringList parts = value.split(u',');
      if (parts.size() != 3)
        badWord(number, word, QStringLiteral("the identity is <type>,<serial>,<firmware>"));
      OperatorStep s = step(OperatorStep::Identity, word);
      s.identity = parts;
      line.settings.append(s);
    } else if (name == QLatin1String("answers")) {
      QList<bool> answers;
      for (const QString& a : value.split(u',', Qt::SkipEmptyParts)) {
        const QString letter = a.trimmed().toUpper();
        if (letter != QLatin1String("S") && letter != QLatin1String("N"))
          badWord(number, word, QStringLiteral("each answer is S (shock) or N (no shock)"));
        answers.append(letter == QLatin1String("S"));
      }
      line.answers = answers;
    } else if (name == QLatin1String("stop-after")) {
      line.stopAfter = milliseconds(number, word, value);
    } else {
      badWord(number, word, QStringLiteral("unknown word"));
    }
  }
  return line;
}

OperatorScript OperatorScript::Parse(const QString& text) {
  OperatorScript script;
  const QStringList lines = text.split(u'\n');
  for (int i = 0; i < lines.size(); ++i) {
    const QString content = lines.at(i).section(u'#', 0, 0).trimmed();
    if (content.isEmpty()) continue;
    QStringList words = content.split(QRegularExpression(QStringLiteral("\\s+")));
    const QString id = words.takeFirst();
    const rt::Long testID = wholeNumber(i + 1, id, id);
    script.lines_[testID].append(ParseLine(words, i + 1));
  }
  return script;
}

OperatorScript OperatorScript::Read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    rt::raise(file.exists() ? rt::err::PermissionDenied : rt::err::FileNotFound, kSource,
              QStringLiteral("Cannot read the operator script %1").arg(path));
  return Parse(QString::fromUtf8(file.readAll()));
}

OperatorPlan OperatorScript::DefaultPlan(rt::Long testID) {
  OperatorPlan plan;
  plan.steps.append(press(Play, QStringLiteral("play")));
  if (testID == 500) {
    plan.steps.append(step(OperatorStep::WaitStored, QStringLiteral("wait-stored")));
    plan.steps.append(press(Stop, QStringLiteral("stop")));
  }
  plan.steps.append(step(OperatorStep::WaitRun, QStringLiteral("wait-run")));
  if (testID == 600) plan.steps.append(step(OperatorStep::Verdict, QStringLiteral("verdict")));
  plan.steps.append(press(Next, QStringLiteral("next")));
  plan.answerPresets = testID == 700;
  return plan;
}

OperatorPlan OperatorScript::PlanFor(rt::Long testID, int pass) const {
  const QList<Line> lines = lines_.value(testID);
  if (pass < 0 || pass >= lines.size()) return DefaultPlan(testID);
  const Line& line = lines.at(pass);
  OperatorPlan plan = DefaultPlan(testID);
  if (!line.actions.isEmpty()) {
    plan.steps = line.actions;
  } else if (line.stopAfter) {
    QList<OperatorStep> steps;
    for (const OperatorStep& s : plan.steps) {
      if (s.kind == OperatorStep::WaitStored || (s.kind == OperatorStep::Press && s.button == Stop))
        continue;
      if (s.kind == OperatorStep::WaitRun) {
        OperatorStep wait = step(OperatorStep::Wait, QStringLiteral("stop-after"));
        wait.milliseconds = *line.stopAfter;
        steps.append(wait);
        steps.append(press(Stop, QStringLiteral("stop")));
      }
      steps.append(s);
    }
    plan.steps = steps;
  }
  plan.steps = line.settings + plan.steps;
  if (line.verdict) plan.verdictPass = *line.verdict;
  if (line.answers) plan.answers = line.answers;
  return plan;
}

}  // namespace host
