// Values reach SQL text only through the quoting helpers (db::quoted, db::sqlInt) or as
// bound parameters. This scan of the sources finds a literal that ends where a value goes
// ("... = ", " in (", " values (") followed by anything else: a raw value concatenated
// into a statement.
//
// Accepted after such a literal: a helper call; a name that was given a helper's result,
// or a number's text, in the same file; a list filled with helpers' results and joined;
// and a fragment whose name says it is SQL ("sql...", "...Sql", "quoted...").

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct Finding {
    QString file;
    int line = 0;
    QString text;
};

bool safeOperand(const QString& source, qsizetype before, const QString& operand)
{
    static const QRegularExpression helper(QStringLiteral("^(db::)?(quoted|sqlInt)\\("));
    if (helper.match(operand).hasMatch())
        return true;
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*"));
    const QString name = identifier.match(operand).captured(0);
    if (name.isEmpty())
        return false;
    static const QRegularExpression sqlName(QStringLiteral("^(m_)?(sql|quoted)|Sql$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (sqlName.match(name).hasMatch())
        return true;
    const QString head = source.left(before);
    const QString quotedName = QRegularExpression::escape(name);
    const QRegularExpression assigned(
        QStringLiteral("\\b") + quotedName +
        QStringLiteral("\\s*(=|\\(|\\{)\\s*((db::)?(sqlInt|quoted)|QString::number)\\("));
    if (assigned.match(head).hasMatch())
        return true;
    // A list joined into the statement, filled with the helpers' results.
    const QRegularExpression filled(
        QStringLiteral("\\b") + quotedName +
        QStringLiteral("\\s*(\\.append\\(|<<)\\s*(db::)?(sqlInt|quoted)\\("));
    return operand.startsWith(name + QStringLiteral(".join(")) && filled.match(head).hasMatch();
}

QList<Finding> rawValues(const QString& file, const QString& source)
{
    // A string literal, perhaps wrapped, then "+" and the start of the next operand.
    static const QRegularExpression concatenation(QStringLiteral(
        "(?:QStringLiteral|QLatin1String)?\\(?\"((?:[^\"\\\\\\n]|\\\\.)*)\"\\)?\\s*\\+\\s*"
        "([A-Za-z_:][A-Za-z0-9_:.>()\\[\\]-]*)"));
    static const QRegularExpression valueGoesHere(
        QStringLiteral("(=|<>|<|>|\\bin \\(|\\bvalues \\(|\\blike)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression listedValue(QStringLiteral("\\bvalues\\b.*,\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression sqlWords(
        QStringLiteral("\\b(select|insert|update|delete|where|set|values)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression upperName(QStringLiteral("[A-Z_]{3,}"));
    QList<Finding> found;
    for (auto it = concatenation.globalMatch(source); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString text = m.captured(1);
        if (!sqlWords.match(text).hasMatch() || !upperName.match(text).hasMatch())
            continue;
        if (!valueGoesHere.match(text).hasMatch() && !listedValue.match(text).hasMatch())
            continue;
        if (safeOperand(source, m.capturedStart(), m.captured(2)))
            continue;
        found.append({file, int(source.left(m.capturedStart()).count(QLatin1Char('\n'))) + 1,
                      text.right(40) + QStringLiteral("\" + ") + m.captured(2)});
    }
    return found;
}

QString sourceRoot()
{
    return QStringLiteral(DOLVANE_SOURCE_DIR "/src");
}

TEST(SqlValues, ARawValueConcatenatedIntoSqlIsFound)
{
    const QString wrong = QStringLiteral(
        "bool f(db::DmdCoreDbs& d, const QString& name, int no) {\n"
        "    return d.execute(QStringLiteral(\"update TEAM set TEAMNAME = \") + name +\n"
        "                     QStringLiteral(\" where TEAMNO = \") + QString::number(no));\n"
        "}\n");
    const QList<Finding> found = rawValues(QStringLiteral("wrong.cpp"), wrong);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].line, 2);
    EXPECT_TRUE(found[0].text.endsWith(QStringLiteral("TEAMNAME = \" + name")));
    EXPECT_EQ(found[1].line, 3);

    const QString right = QStringLiteral(
        "bool f(db::DmdCoreDbs& d, const QString& name, qint64 no) {\n"
        "    const QString team = db::sqlInt(no);\n"
        "    return d.execute(QStringLiteral(\"update TEAM set TEAMNAME = \") +\n"
        "                     db::quoted(name) + QStringLiteral(\" where TEAMNO = \") + team);\n"
        "}\n");
    EXPECT_TRUE(rawValues(QStringLiteral("right.cpp"), right).isEmpty());
    // Words of a message are no statement.
    EXPECT_TRUE(rawValues(QStringLiteral("text.cpp"),
                          QStringLiteral("warn(\"Items to select from = \" + name);"))
                    .isEmpty());
}

TEST(SqlValues, NoSourceConcatenatesARawValueIntoSql)
{
    const QString root = sourceRoot();
    ASSERT_TRUE(QFileInfo(root).isDir()) << root.toStdString();
    int files = 0;
    QStringList lines;
    for (QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        ++files;
        const QString relative = QDir(root).relativeFilePath(file.fileName());
        for (const Finding& f : rawValues(relative, QString::fromUtf8(file.readAll())))
            lines << f.file + QLatin1Char(':') + QString::number(f.line) + QStringLiteral(": ") +
                         f.text;
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(lines.isEmpty()) << "use db::quoted / db::sqlInt or a bound parameter:\n"
                                 << lines.join(QLatin1Char('\n')).toStdString();
}

} // namespace
