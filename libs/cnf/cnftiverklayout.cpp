#include "cnftiverklayout.h"

#include "cnfprogram.h"

#include <QStringList>

namespace {

// Bytes of a program record: number, kind and the parameter area.
constexpr int RecordSize = 64;

struct Kind
{
    int id;
    const char *elements; // "Element" children of the "Type"
};

// Parameter elements of each algorithm kind. Names are the controller's own
// texts; the program dialog recognises detector cells ("датчик"), button
// cells ("кнопка"), interstate variants ("Вариант промтакта") and the call
// condition ("Условие вызова") by them. The coordinated kind (id 2) keeps
// its variant in column 0 and cycle, offset and phase sequence in the last
// three columns.
const char *const variant = "<Element type=\"byte\" name=\"Вариант промтакта\"/>";

const Kind kinds[] = {
    { 0, "" },
    { 1,
      "%VARIANT%"
      "<Element type=\"array[16]\" name=\"Фазы\">"
      "<Element type=\"byte\" name=\"Фаза\" listid=\"indexof(phases)\" id=\"ph\"/>"
      "<Element type=\"byte\" name=\"Длительность\" phase=\"ph\"/>"
      "</Element>" },
    { 2,
      "%VARIANT%"
      "<Element type=\"byte\" name=\"Время перехода\"/>"
      "%STARTDELAY%"
      "<Element type=\"word\" name=\"Цикл\"/>"
      "<Element type=\"word\" name=\"Сдвиг\"/>"
      "<Element type=\"array[16]\" name=\"Фазы\">"
      "<Element type=\"byte\" name=\"Фаза\" listid=\"indexof(phases)\" id=\"ph\"/>"
      "<Element type=\"byte\" name=\"Длительность\" phase=\"ph\"/>"
      "</Element>" },
    { 3,
      "%VARIANT%"
      "<Element type=\"byte\" name=\"Условие вызова\" listid=\"1\"/>"
      "<Element type=\"byte\" name=\"Кнопка или датчик вызова\"/>"
      "<Element type=\"byte\" name=\"Адрес датчика\"/>"
      "<Element type=\"byte\" name=\"Резерв\" visible=\"false\"/>"
      "<Element type=\"array[8]\" name=\"Фазы\">"
      "<Element type=\"byte\" name=\"Фаза\" listid=\"indexof(phases)\" id=\"ph\"/>"
      "<Element type=\"byte\" name=\"Минимум\" phase=\"ph\"/>"
      "<Element type=\"byte\" name=\"Максимум\" phase=\"ph\"/>"
      "<Element type=\"byte\" name=\"Продление\"/>"
      "</Element>" },
    { 4,
      "%VARIANT%"
      "<Element type=\"byte\" name=\"Условие вызова\" listid=\"1\"/>"
      "<Element type=\"byte\" name=\"Кнопка или датчик вызова\"/>"
      "<Element type=\"byte\" name=\"Фаза вызова\" listid=\"phases\" id=\"cp\"/>"
      "<Element type=\"byte\" name=\"Длительность вызова\" phase=\"cp\"/>"
      "<Element type=\"byte\" name=\"Программа возврата\" listid=\"indexof(prog_number)\"/>" },
    { 5,
      "%VARIANT%"
      "<Element type=\"byte\" name=\"Адрес датчика трамвая\"/>"
      "<Element type=\"byte\" name=\"Фаза приоритета\" listid=\"indexof(phases)\" id=\"pp\"/>"
      "<Element type=\"byte\" name=\"Длительность приоритета\" phase=\"pp\"/>"
      "<Element type=\"byte\" name=\"Повторный вызов\" listid=\"2\"/>" },
    { 6, "" },
    { 7, "<Element type=\"word\" name=\"Длительность\"/>" },
    { 8, "" },
    { 9,
      "%VARIANT%"
      "<Element type=\"byte\" name=\"Условие вызова\" listid=\"1\"/>"
      "<Element type=\"byte\" name=\"Адрес датчика\"/>"
      "<Element type=\"array[8]\" name=\"Фазы\">"
      "<Element type=\"byte\" name=\"Фаза\" listid=\"indexof(phases)\" id=\"ph\"/>"
      "<Element type=\"byte\" name=\"Продление\" phase=\"ph\"/>"
      "</Element>" },
    { 10,
      "%VARIANT%"
      "<Element type=\"byte\" name=\"Адрес датчика очереди\"/>"
      "<Element type=\"byte\" name=\"Порог занятости\"/>"
      "<Element type=\"byte\" name=\"Программа при очереди\" listid=\"indexof(prog_number)\"/>" },
    { 11,
      "%VARIANT%"
      "<Element type=\"word\" name=\"Цикл\"/>"
      "<Element type=\"array[8]\" name=\"Фазы\">"
      "<Element type=\"byte\" name=\"Фаза\" listid=\"indexof(phases)\" id=\"ph\"/>"
      "<Element type=\"byte\" name=\"Минимум\" phase=\"ph\"/>"
      "<Element type=\"byte\" name=\"Максимум\" phase=\"ph\"/>"
      "</Element>" },
};

// The highest kind a family knows.
int lastKind(const QString &version, bool adapter)
{
    if (adapter)
        return 2;
    if (version == QLatin1String("3.14"))
        return 8;
    if (version == QLatin1String("3.15") || version == QLatin1String("3.16"))
        return 10;
    return 11;
}

} // namespace

QDomDocument CnfTiverkLayout::document(const QString &version, bool adapter)
{
    const bool startDelay
        = !adapter && (version == QLatin1String("3.17") || version == QLatin1String("3.18"));
    QString text = QStringLiteral("<Layout version=\"%1\">").arg(version.toHtmlEscaped());
    text += QString::fromUtf8("<List id=\"1\">"
                              "<Element value=\"0\">Нет</Element>"
                              "<Element value=\"1\">КН1</Element>"
                              "<Element value=\"2\">КН2</Element>"
                              "<Element value=\"3\">Датчик</Element>"
                              "<Element value=\"4\">Постоянно</Element>"
                              "</List>"
                              "<List id=\"2\">"
                              "<Element value=\"0\">Нет</Element>"
                              "<Element value=\"1\">Да</Element>"
                              "</List>");
    text += QStringLiteral("<Chapter id=\"programs\" name=\"Programs\">");
    text += QString::fromUtf8("<Element type=\"byte\" name=\"Номер программы\"/>"
                              "<Element type=\"byte\" name=\"Тип программы\"/>");
    text += QString::fromUtf8("<Element type=\"byte[%1]\" name=\"Параметры\"/>")
                .arg(programRecordSize(adapter ? QString() : version) - 2);
    const QString variantElement = CnfTiverkLayout::hasReservedByte(version, adapter)
        ? QString::fromUtf8(variant).replace(QLatin1String("\"byte\""),
                                             QLatin1String("\"byte[2]\""))
        : QString::fromUtf8(variant);
    const int last = lastKind(version, adapter);
    for (const Kind &kind : kinds) {
        if (kind.id > last)
            continue;
        QString elements = QString::fromUtf8(kind.elements);
        elements.replace(QLatin1String("%VARIANT%"), variantElement);
        elements.replace(
            QLatin1String("%STARTDELAY%"),
            startDelay ? QString::fromUtf8("<Element type=\"word\" name=\"Задержка старта\"/>")
                       : QString());
        const QString name = CnfProgram::tiverkTypeName(
            kind.id, adapter ? QStringLiteral("adapter") : version, true);
        text += QStringLiteral("<Type id=\"%1\" name=\"%2\">")
                    .arg(kind.id)
                    .arg(name.toHtmlEscaped());
        text += elements;
        text += QStringLiteral("</Type>");
    }
    text += QStringLiteral("</Chapter></Layout>");
    QDomDocument document;
    document.setContent(text);
    return document;
}

// Version 3.17 keeps one byte more at index 3, behind the interstate variant:
// its variant field takes two bytes, of which only the first is read.
bool CnfTiverkLayout::hasReservedByte(const QString &version, bool adapter)
{
    return !adapter && version == QLatin1String("3.17");
}

int CnfTiverkLayout::programRecordSize(const QString &version)
{
    return hasReservedByte(version, false) ? RecordSize + 1 : RecordSize;
}

QDomElement CnfTiverkLayout::programsChapter(const QDomDocument &layout)
{
    for (QDomElement chapter
         = layout.documentElement().firstChildElement(QStringLiteral("Chapter"));
         !chapter.isNull(); chapter = chapter.nextSiblingElement(QStringLiteral("Chapter"))) {
        if (chapter.attribute(QStringLiteral("id")) == QLatin1String("programs"))
            return chapter;
    }
    return QDomElement();
}

QList<QDomElement> CnfTiverkLayout::elements(const QDomElement &parent)
{
    QList<QDomElement> children;
    for (QDomElement child = parent.firstChildElement(QStringLiteral("Element")); !child.isNull();
         child = child.nextSiblingElement(QStringLiteral("Element")))
        children << child;
    return children;
}

QPair<QString, int> CnfTiverkLayout::parseElementType(const QString &type)
{
    QString normal = type;
    normal.replace(QLatin1Char(']'), QLatin1Char('[')).replace(QLatin1Char(':'), QLatin1Char('['));
    const QStringList parts = normal.split(QLatin1Char('['), Qt::SkipEmptyParts);
    const QString base = parts.value(0);
    const int count = parts.size() > 1 ? parts.at(1).toInt() : 1;
    if (base == QLatin1String("word"))
        return { base, 2 * count };
    return { base, count };
}
