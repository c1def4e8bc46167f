#pragma once

#include <QString>

#include <array>

// The texts of the card designer's popups and of the list item commands, written once so
// that a translation can replace them.
namespace DesignerText {

inline const QString MenuTypes = QStringLiteral("Тип");
// Indexed by the box kind code 0..5.
inline const std::array<QString, 6> Types{QStringLiteral("Слово"),  QStringLiteral("Фраза"),
                                          QStringLiteral("Текст"),  QStringLiteral("Картинка"),
                                          QStringLiteral("Список"), QStringLiteral("Число")};

inline const QString MenuHead = QStringLiteral("Заголовок");
// Indexed by the header position 1..12; index 0 is unused.
inline const std::array<QString, 13> Poses{QString(),
                                           QStringLiteral("Сверху слева"),
                                           QStringLiteral("Сверху посерёд"),
                                           QStringLiteral("Сверху справа"),
                                           QStringLiteral("Слева вверху"),
                                           QStringLiteral("Слева посерёд"),
                                           QStringLiteral("Слева внизу"),
                                           QStringLiteral("Справа вверху"),
                                           QStringLiteral("Справа посерёд"),
                                           QStringLiteral("Справа внизу"),
                                           QStringLiteral("Внизу слева"),
                                           QStringLiteral("Внизу посерёд"),
                                           QStringLiteral("Внизу справа")};

inline const QString MenuList = QStringLiteral("Список");
inline const QString Renew = QStringLiteral("Обновить");
inline const QString DelBox = QStringLiteral("Убрать");

inline const QString Insert = QStringLiteral("Вставить элемент");
inline const QString AddN = QStringLiteral("Добавить N элементов");
inline const QString DelItems = QStringLiteral("Удалить выделенное");
inline const QString CopyList = QStringLiteral("Копировать");
inline const QString PasteList = QStringLiteral("Вставить");

inline const QString DestroysList = QStringLiteral("Это уничтожит элементы списка. Выполнить?");

} // namespace DesignerText
