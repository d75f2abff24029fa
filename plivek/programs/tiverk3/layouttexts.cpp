#include "layouttexts.h"

#include <QCoreApplication>

namespace {

struct Text
{
    const char *own; // as the layout holds it (UTF-8)
    const char *english; // the translation source
};

// Field names first, then the entries of the layout's lists.
const Text texts[] = {
    { "Вариант промтакта", QT_TRANSLATE_NOOP("LayoutTexts", "Interstate variant") },
    { "Время перехода", QT_TRANSLATE_NOOP("LayoutTexts", "Transition time") },
    { "Задержка старта", QT_TRANSLATE_NOOP("LayoutTexts", "Start delay") },
    { "Цикл", QT_TRANSLATE_NOOP("LayoutTexts", "Cycle") },
    { "Сдвиг", QT_TRANSLATE_NOOP("LayoutTexts", "Offset") },
    { "Фазы", QT_TRANSLATE_NOOP("LayoutTexts", "Phases") },
    { "Фаза", QT_TRANSLATE_NOOP("LayoutTexts", "Phase") },
    { "Длительность", QT_TRANSLATE_NOOP("LayoutTexts", "Duration") },
    { "Условие вызова", QT_TRANSLATE_NOOP("LayoutTexts", "Call condition") },
    { "Кнопка или датчик вызова", QT_TRANSLATE_NOOP("LayoutTexts", "Call button or detector") },
    { "Адрес датчика", QT_TRANSLATE_NOOP("LayoutTexts", "Detector address") },
    { "Резерв", QT_TRANSLATE_NOOP("LayoutTexts", "Reserved") },
    { "Минимум", QT_TRANSLATE_NOOP("LayoutTexts", "Minimum") },
    { "Максимум", QT_TRANSLATE_NOOP("LayoutTexts", "Maximum") },
    { "Продление", QT_TRANSLATE_NOOP("LayoutTexts", "Extension") },
    { "Фаза вызова", QT_TRANSLATE_NOOP("LayoutTexts", "Call phase") },
    { "Длительность вызова", QT_TRANSLATE_NOOP("LayoutTexts", "Call duration") },
    { "Программа возврата", QT_TRANSLATE_NOOP("LayoutTexts", "Return program") },
    { "Адрес датчика трамвая", QT_TRANSLATE_NOOP("LayoutTexts", "Tram detector address") },
    { "Фаза приоритета", QT_TRANSLATE_NOOP("LayoutTexts", "Priority phase") },
    { "Длительность приоритета", QT_TRANSLATE_NOOP("LayoutTexts", "Priority duration") },
    { "Повторный вызов", QT_TRANSLATE_NOOP("LayoutTexts", "Repeated call") },
    { "Адрес датчика очереди", QT_TRANSLATE_NOOP("LayoutTexts", "Queue detector address") },
    { "Порог занятости", QT_TRANSLATE_NOOP("LayoutTexts", "Occupancy threshold") },
    { "Программа при очереди", QT_TRANSLATE_NOOP("LayoutTexts", "Queue program") },
    { "Нет", QT_TRANSLATE_NOOP("LayoutTexts", "No") },
    { "КН1", QT_TRANSLATE_NOOP("LayoutTexts", "Button 1") },
    { "КН2", QT_TRANSLATE_NOOP("LayoutTexts", "Button 2") },
    { "Датчик", QT_TRANSLATE_NOOP("LayoutTexts", "Detector") },
    { "Постоянно", QT_TRANSLATE_NOOP("LayoutTexts", "Always") },
    { "Да", QT_TRANSLATE_NOOP("LayoutTexts", "Yes") },
};

} // namespace

QString LayoutTexts::shown(const QString &own)
{
    for (const Text &text : texts) {
        if (own == QString::fromUtf8(text.own))
            return QCoreApplication::translate("LayoutTexts", text.english);
    }
    return own;
}
