// The loaders fed mutants of the project's own stored files, through the
// built program as a technician runs it: the results document of a run of
// the whole catalogue (rv1x-host resave, and report for some) and the
// shipped test template (rv1x-host --template catalogue). Every mutant must
// end with exit status 0, 1 or 2, never by a crash or a sanitizer's report;
// a resave that answers 0 must have written every value of its input; one
// that answers 2 must have written nothing.
//
// The mutants come from a fixed seed, so every run tries the same ones.
// RV1X_MUTATION_SEED and RV1X_MUTANTS try others, or more.

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <random>

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

constexpr unsigned kSeed = 20240611;
constexpr int kSequenceMutants = 120;
constexpr int kTemplateMutants = 60;
// Every how many resave mutants report runs on the same mutant.
constexpr int kReportEvery = 6;

QString sourceFile(const QString& relative) {
  QFile file(QStringLiteral(RV1X_SOURCE_DIR "/") + relative);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int setting(const char* name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok ? value : fallback;
}

// Texts a stored value may be mutated into: numbers out of range, in other
// forms, words, flags in other spellings, nothing.
const char* const kOddValues[] = {"1e999", "4e38", "NaN",  "-0",    "0,87",
                                  "",      "open", "true", "yes",   "99999999999",
                                  "-1",    " 7",   "0x10", "&amp;", "\u00e9"};
// Names a tag or attribute may be mutated into.
const char* const kOddNames[] = {"Extra", "resultitem", "Status2", "Be~nch", "MTI", "Key"};

class Mutator {
 public:
  explicit Mutator(unsigned seed) : random_(seed) {}

  QString Mutate(QString text) {
    const int count = 1 + Pick(3);
    for (int i = 0; i < count; ++i) text = MutateOnce(text);
    return text;
  }

 private:
  int Pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
  template <class T, std::size_t N>
  const T& Any(const T (&items)[N]) {
    return items[Pick(static_cast<int>(N))];
  }

  // Places of start tags, end tags and attribute values in the text.
  static QList<QRegularExpressionMatch> All(const QString& text, const QRegularExpression& re) {
    QList<QRegularExpressionMatch> found;
    for (auto it = re.globalMatch(text); it.hasNext();) found.append(it.next());
    return found;
  }

  // The element that starts at a start tag, to its end tag (or the tag
  // itself when it is empty or unmatched).
  static qsizetype ElementEnd(const QString& text, const QRegularExpressionMatch& start) {
    if (start.captured(0).endsWith(QStringLiteral("/>"))) return start.capturedEnd(0);
    const QString name = start.captured(1);
    int depth = 0;
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z_][\\w.:-]*)[^>]*?(/?)>"));
    for (auto it = tag.globalMatch(text, start.capturedStart(0)); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      if (m.captured(2) != name || !m.captured(3).isEmpty()) continue;
      depth += m.captured(1).isEmpty() ? 1 : -1;
      if (depth == 0) return m.capturedEnd(0);
    }
    return start.capturedEnd(0);
  }

  QString MutateOnce(QString text) {
    static const QRegularExpression startTag(QStringLiteral("<([A-Za-z_][\\w.:-]*)[^>]*?/?>"));
    static const QRegularExpression attribute(QStringLiteral("([A-Za-z_][\\w.:-]*)=\"([^\"]*)\""));
    static const QRegularExpression content(QStringLiteral(">([^<>]+)</"));
    const QList<QRegularExpressionMatch> tags = All(text, startTag);
    if (tags.isEmpty() || text.isEmpty()) return text;
    const QRegularExpressionMatch tag = tags.at(Pick(static_cast<int>(tags.size())));
    switch (Pick(12)) {
      case 0:  // a character lost
        text.remove(Pick(static_cast<int>(text.size())), 1);
        break;
      case 1: {  // an element twice
        const qsizetype end = ElementEnd(text, tag);
        text.insert(end, text.mid(tag.capturedStart(0), end - tag.capturedStart(0)));
        break;
      }
      case 2:  // an element gone
        text.remove(tag.capturedStart(0), ElementEnd(text, tag) - tag.capturedStart(0));
        break;
      case 3: {  // an attribute the host does not know, or not XML
        const qsizetype at = tag.capturedEnd(1);
        text.insert(at, QStringLiteral(" %1=\"%2\"")
                            .arg(QLatin1String(Any(kOddNames)),
                                 QString::fromUtf8(Any(kOddValues)).toHtmlEscaped()));
        break;
      }
      case 4:  // a comment
        text.insert(tag.capturedEnd(0), QStringLiteral("<!-- checked -->"));
        break;
      case 5:  // a child the host does not know
        text.insert(tag.capturedEnd(0), QStringLiteral("<Extra Kind=\"x\">kept</Extra>"));
        break;
      case 6: {  // an attribute's value
        const QList<QRegularExpressionMatch> values = All(text, attribute);
        if (values.isEmpty()) break;
        const QRegularExpressionMatch v = values.at(Pick(static_cast<int>(values.size())));
        text.replace(v.capturedStart(2), v.capturedLength(2),
                     QString::fromUtf8(Any(kOddValues)).toHtmlEscaped());
        break;
      }
      case 7: {  // an element's text
        const QList<QRegularExpressionMatch> texts = All(text, content);
        if (texts.isEmpty()) break;
        const QRegularExpressionMatch t = texts.at(Pick(static_cast<int>(texts.size())));
        text.replace(t.capturedStart(1), t.capturedLength(1),
                     QString::fromUtf8(Any(kOddValues)).toHtmlEscaped());
        break;
      }
      case 8: {  // a tag renamed (its end tag too, when it has one)
        const qsizetype end = ElementEnd(text, tag);
        const QString name = tag.captured(1);
        const QString renamed = QLatin1String(Any(kOddNames));
        const QString endTag = QStringLiteral("</%1>").arg(name);
        if (text.mid(end - endTag.size(), endTag.size()) == endTag)
          text.replace(end - endTag.size(), endTag.size(), QStringLiteral("</%1>").arg(renamed));
        text.replace(tag.capturedStart(1), tag.capturedLength(1), renamed);
        break;
      }
      case 9: {  // nested deep
        const int depth = 100 + Pick(300);
        text.insert(tag.capturedEnd(0),
                    QStringLiteral("<N>").repeated(depth) + QStringLiteral("</N>").repeated(depth));
        break;
      }
      case 10:  // cut short
        text.truncate(Pick(static_cast<int>(text.size())));
        break;
      default: {  // two neighbours swapped
        const qsizetype end = ElementEnd(text, tag);
        const QRegularExpressionMatch next = startTag.match(text, end);
        if (!next.hasMatch() || next.capturedStart(0) != text.indexOf(u'<', end)) break;
        const qsizetype nextEnd = ElementEnd(text, next);
        const QString first = text.mid(tag.capturedStart(0), end - tag.capturedStart(0));
        const QString second = text.mid(next.capturedStart(0), nextEnd - next.capturedStart(0));
        text.replace(next.capturedStart(0), second.size(), first);
        text.replace(tag.capturedStart(0), first.size(), second);
        break;
      }
    }
    return text;
  }

  std::mt19937 random_;
};

// Every value a document holds: each attribute's name and value, each
// element's text and each comment, as a reader sees them; empty ones and
// the blanks around them count as nothing.
QMap<QString, int> valuesOf(const QString& text) {
  QMap<QString, int> values;
  QXmlStreamReader reader(text);
  QStringList open;
  QString pending;
  const auto flush = [&] {
    if (!pending.trimmed().isEmpty())
      ++values[u'>' + open.value(open.size() - 1) + u'=' + pending.trimmed()];
    pending.clear();
  };
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartElement:
        flush();
        open.append(reader.qualifiedName().toString());
        for (const QXmlStreamAttribute& a : reader.attributes())
          if (!a.value().trimmed().isEmpty())
            ++values[u'@' + a.qualifiedName().toString() + u'=' + a.value().toString().trimmed()];
        break;
      case QXmlStreamReader::EndElement:
        flush();
        open.removeLast();
        break;
      case QXmlStreamReader::Characters:
        pending += reader.text();
        break;
      case QXmlStreamReader::Comment:
        ++values[QStringLiteral("!") + reader.text().toString()];
        break;
      default:
        break;
    }
  }
  return values;
}

// The first value of in that out lacks (as often as in holds it), or an
// empty text.
QString missingValue(const QString& in, const QString& out) {
  const QMap<QString, int> written = valuesOf(out);
  const QMap<QString, int> read = valuesOf(in);
  for (auto it = read.begin(); it != read.end(); ++it)
    if (written.value(it.key()) < it.value()) return it.key();
  return QString();
}

bool endedWell(const ProgramRun& run) {
  return (run.status == 0 || run.status == 1 || run.status == 2) &&
         !run.errors.contains(QStringLiteral("Sanitizer")) &&
         !run.errors.contains(QStringLiteral("runtime error:"));
}

class LoaderMutation : public HostRunTest {
 protected:
  // The program's run; a run that crashed, or did not end, has status -1.
  ProgramRun mutantRun(const QStringList& arguments) {
    constexpr int kTimeoutMs = 120000;
    QProcess process;
    start(process, arguments);
    const bool ended = process.waitForFinished(kTimeoutMs);
    if (!ended) {
      process.kill();
      process.waitForFinished();
    }
    const bool normal = ended && process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }
};

TEST_F(LoaderMutation, MutantsOfTheResultsDocumentEndWellAndLoseNothingUnsaid) {
  const QString original =
      sourceFile(QStringLiteral("tests/mutation/fixtures/results-of-the-catalogue.xml"));
  ASSERT_FALSE(original.isEmpty());
  // The document itself reads and writes back whole.
  const QString in = writeFile(QStringLiteral("in.xml"), original);
  const QString out = path(QStringLiteral("out.xml"));
  ASSERT_EQ(host({QStringLiteral("resave"), in, out}).status, 0);

  Mutator mutator(setting("RV1X_MUTATION_SEED", kSeed));
  QMap<int, int> statuses;
  const int mutants = setting("RV1X_MUTANTS", kSequenceMutants);
  for (int i = 0; i < mutants; ++i) {
    const QString mutant = mutator.Mutate(original);
    writeFile(QStringLiteral("in.xml"), mutant);
    QFile::remove(out);
    const ProgramRun run = mutantRun({QStringLiteral("resave"), in, out});
    ++statuses[run.status];
    const QString kept = path(QStringLiteral("mutant-%1.xml").arg(i));
    const auto keep = [&] {
      QFile::copy(in, kept);
      return kept.toStdString();
    };
    ASSERT_TRUE(endedWell(run)) << "mutant " << i << " (" << keep() << "): status " << run.status
                                << "\n"
                                << qPrintable(run.errors.right(2000));
    QFile written(out);
    if (run.status == 2) {
      EXPECT_FALSE(written.exists()) << "mutant " << i << " (" << keep() << ")";
    } else if (run.status == 0) {
      // A resave that answers 0 has written everything it read.
      ASSERT_TRUE(written.open(QIODevice::ReadOnly))
          << "mutant " << i << " (" << keep() << ") answered 0 and wrote nothing";
      const QString lost = missingValue(mutant, QString::fromUtf8(written.readAll()));
      EXPECT_TRUE(lost.isEmpty()) << "mutant " << i << " (" << keep() << ") lost "
                                  << qPrintable(lost) << " and answered 0";
    }
    if (i % kReportEvery == 0) {
      const ProgramRun report =
          mutantRun({QStringLiteral("report"), in, path(QStringLiteral("report.pdf"))});
      EXPECT_TRUE(endedWell(report))
          << "report of mutant " << i << " (" << keep() << "): status " << report.status;
    }
  }
  // The mutants reach every way out.
  EXPECT_GT(statuses.value(1), 0);
  EXPECT_GT(statuses.value(2), 0);
}

TEST_F(LoaderMutation, MutantsOfTheShippedTemplateEndWell) {
  const QString original = sourceFile(QStringLiteral("plugin/orvanRV1X.mpc"));
  ASSERT_FALSE(original.isEmpty());
  Mutator mutator(setting("RV1X_MUTATION_SEED", kSeed) + 1);
  QMap<int, int> statuses;
  const int mutants = setting("RV1X_MUTANTS", kTemplateMutants);
  for (int i = 0; i < mutants; ++i) {
    const QString file = writeFile(QStringLiteral("mutant.mpc"), mutator.Mutate(original));
    const ProgramRun run =
        mutantRun({QStringLiteral("--template"), file, QStringLiteral("catalogue")});
    ++statuses[run.status];
    ASSERT_TRUE(endedWell(run)) << "mutant " << i << ": status " << run.status << "\n"
                                << qPrintable(run.errors.right(2000));
  }
  EXPECT_GT(statuses.value(0), 0);
  EXPECT_GT(statuses.value(2), 0);
}

}  // namespace
}  // namespace hostruntest
