#include "OperatorScript.h"

#include <QFile>
#include <algorithm>
#include <map>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "typelib/GuideControls.h"
#include "ui/MessageBoxes.h"

namespace host {

namespace {

using namespace guidebuttons;

const QString kSource = QStringLiteral("OperatorScript");

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

// One word of a line, as written, with its name and what follows its "=".
struct Word {
  QString text;
  QString name;  // lower case
  QString value;
  int line = 0;
  [[noreturn]] void bad(const QString& why) const { badWord(line, text, why); }
};

int wholeNumber(const Word& word, const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  if (!ok) word.bad(QStringLiteral("\"%1\" is not a whole number").arg(text));
  return number;
}

int milliseconds(const Word& word) {
  bool ok = false;
  const double seconds = word.value.trimmed().toDouble(&ok);
  if (!ok || seconds < 0)
    word.bad(QStringLiteral("\"%1\" is not a number of seconds").arg(word.value));
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

// The words a line may hold: each adds actions to the line or changes its
// settings. A word either stands alone or takes a value after "=". A new
// word is a new row.
struct WordRule {
  const char* name;
  bool takesValue;
  void (*read)(OperatorLine& line, const Word& word);
};

template <rt::Long button>
void pressing(OperatorLine& line, const Word& word) {
  line.actions.append(press(button, word.text));
}

template <OperatorStep::Kind kind>
void waiting(OperatorLine& line, const Word& word) {
  line.actions.append(step(kind, word.text));
}

const WordRule kWords[] = {
    {"play", false, pressing<Play>},
    {"stop", false, pressing<Stop>},
    {"next", false, pressing<Next>},
    {"previous", false, pressing<Previous>},
    {"skip", false, pressing<Skip>},
    {"na", false, pressing<NotApplicable>},
    {"abort", false,
     [](OperatorLine& line, const Word& word) {
       // The toolbar's Abort asks first; the operator means it.
       line.actions.append(answer(ui::mb::Yes, QStringLiteral("answer=yes")));
       line.actions.append(press(Abort, word.text));
     }},
    {"wait-run", false, waiting<OperatorStep::WaitRun>},
    {"wait-stored", false, waiting<OperatorStep::WaitStored>},
    {"verdict", false, waiting<OperatorStep::Verdict>},
    {"pass", false, [](OperatorLine& line, const Word&) { line.verdict = true; }},
    {"fail", false, [](OperatorLine& line, const Word&) { line.verdict = false; }},
    {"press", true,
     [](OperatorLine& line, const Word& word) {
       line.actions.append(press(wholeNumber(word, word.value), word.text));
     }},
    {"wait", true,
     [](OperatorLine& line, const Word& word) {
       OperatorStep s = step(OperatorStep::Wait, word.text);
       s.milliseconds = milliseconds(word);
       line.actions.append(s);
     }},
    {"verdict", true,
     [](OperatorLine& line, const Word& word) {
       const QString v = word.value.toLower();
       if (v != QLatin1String("pass") && v != QLatin1String("fail"))
         word.bad(QStringLiteral("the verdict is pass or fail"));
       line.verdict = v == QLatin1String("pass");
       line.actions.append(step(OperatorStep::Verdict, word.text));
     }},
    {"click", true,
     [](OperatorLine& line, const Word& word) {
       const QStringList parts = word.value.split(u',');
       const bool right =
           parts.size() == 3 && parts.at(2).trimmed().toLower() == QLatin1String("right");
       if (parts.size() < 2 || (parts.size() == 3 && !right) || parts.size() > 3)
         word.bad(QStringLiteral("a click is <row>,<column>[,right]"));
       OperatorStep s = step(OperatorStep::Click, word.text);
       s.row = wholeNumber(word, parts.at(0));
       s.column = wholeNumber(word, parts.at(1));
       s.rightButton = right;
       line.actions.append(s);
     }},
    {"answer", true,
     [](OperatorLine& line, const Word& word) {
       const auto it = answerWords().find(word.value.toLower());
       if (it == answerWords().end()) word.bad(QStringLiteral("unknown answer"));
       line.actions.append(answer(it->second, word.text));
     }},
    {"tab", true,
     [](OperatorLine& line, const Word& word) {
       OperatorStep s = step(OperatorStep::Tab, word.text);
       s.column = wholeNumber(word, word.value);
       line.actions.append(s);
     }},
    {"mti", true,
     [](OperatorLine& line, const Word& word) {
       const QStringList parts = word.value.split(u',');
       if (parts.size() != 3)
         word.bad(QStringLiteral("the identity is <type>,<serial>,<firmware>"));
       OperatorStep s = step(OperatorStep::Identity, word.text);
       s.identity = parts;
       line.settings.append(s);
     }},
    {"standard", true,
     [](OperatorLine& line, const Word& word) {
       if (word.value.trimmed().isEmpty()) word.bad(QStringLiteral("name the standard"));
       OperatorStep s = step(OperatorStep::Standard, word.text);
       s.standard = word.value.trimmed();
       line.settings.append(s);
     }},
    {"answers", true,
     [](OperatorLine& line, const Word& word) {
       QList<bool> answers;
       for (const QString& a : word.value.split(u',', Qt::SkipEmptyParts)) {
         const QString letter = a.trimmed().toUpper();
         if (letter != QLatin1String("S") && letter != QLatin1String("N"))
           word.bad(QStringLiteral("each answer is S (shock) or N (no shock)"));
         answers.append(letter == QLatin1String("S"));
       }
       line.answers = answers;
     }},
    {"stop-after", true,
     [](OperatorLine& line, const Word& word) { line.stopAfter = milliseconds(word); }},
};

// The words that only some tests take: anywhere else they would do
// nothing, and a run would end as if the operator had not written them.
struct OnlyFor {
  const char* name;
  QList<rt::Long> tests;
};
const OnlyFor kOnlyFor[] = {
    {"pass", {600}}, {"fail", {600}}, {"verdict", {600}}, {"answers", {700}}};

// The words of a line's content: blanks separate them, and a stretch in
// double quotes keeps its blanks (the quotes themselves are dropped).
QStringList splitWords(const QString& content) {
  QStringList words;
  QString word;
  bool quoted = false;
  bool any = false;
  for (const QChar c : content) {
    if (c == u'"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && c.isSpace()) {
      if (any) words.append(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.append(word);
  return words;
}

}  // namespace

OperatorLine OperatorScript::ParseLine(const QStringList& words, int number) {
  OperatorLine line;
  for (const QString& text : words) {
    const Word word{text, text.section(u'=', 0, 0).toLower(), text.section(u'=', 1), number};
    const bool hasValue = text.contains(u'=');
    const auto rule = std::find_if(std::begin(kWords), std::end(kWords), [&](const WordRule& r) {
      return word.name == QLatin1String(r.name) && r.takesValue == hasValue;
    });
    if (rule == std::end(kWords)) word.bad(QStringLiteral("unknown word"));
    rule->read(line, word);
    line.names.append(word.name);
  }
  line.number = number;
  return line;
}

OperatorScript OperatorScript::Parse(const QString& text) {
  OperatorScript script;
  const QStringList lines = text.split(u'\n');
  for (int i = 0; i < lines.size(); ++i) {
    const QString content = lines.at(i).section(u'#', 0, 0).trimmed();
    if (content.isEmpty()) continue;
    QStringList words = splitWords(content);
    const QString id = words.takeFirst();
    const rt::Long testID = wholeNumber(Word{id, id, QString(), i + 1}, id);
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

OperatorFit OperatorScript::FitTo(const QList<rt::Long>& catalogue, const QList<rt::Long>& run) {
  // Told in the order of the script's lines.
  std::map<int, QStringList> errors, notices;
  const auto told = [](int number, const QString& text) {
    return QStringLiteral("operator script line %1: %2").arg(number).arg(text);
  };
  for (auto it = lines_.begin(); it != lines_.end();) {
    const rt::Long testID = it.key();
    for (const OperatorLine& line : it.value()) {
      if (!catalogue.contains(testID)) {
        errors[line.number].append(
            told(line.number, QStringLiteral("the test catalogue has no test %1").arg(testID)));
        continue;
      }
      for (const OnlyFor& only : kOnlyFor)
        if (line.names.contains(QLatin1String(only.name)) && !only.tests.contains(testID))
          errors[line.number].append(told(line.number, QStringLiteral("test %1 never takes \"%2\"")
                                                           .arg(testID)
                                                           .arg(QLatin1String(only.name))));
      if (!run.contains(testID))
        notices[line.number].append(
            told(line.number,
                 QStringLiteral("test %1 is not in this run; the line is skipped").arg(testID)));
    }
    it = run.contains(testID) ? std::next(it) : lines_.erase(it);
  }
  OperatorFit fit;
  for (const auto& [number, texts] : errors) fit.errors += texts;
  for (const auto& [number, texts] : notices) fit.notices += texts;
  return fit;
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
  const QList<OperatorLine> lines = lines_.value(testID);
  if (pass < 0 || pass >= lines.size()) return DefaultPlan(testID);
  const OperatorLine& line = lines.at(pass);
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
