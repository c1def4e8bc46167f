#pragma once

#include <QString>

// Every text the main window shows, written once so that a translation can replace them.
namespace ViewText {
// Window caption: the word, a blank, the vorn's name in double quotes.
inline const QString CaptionWord = QStringLiteral("Ворн");

inline const QString CardItem = QStringLiteral("000 Форма");

// Entry list buttons.
inline const QString AddVorn = QStringLiteral("Добавить");
inline const QString DelVorn = QStringLiteral("Убрать");
inline const QString Lift = QStringLiteral("Вверх");
inline const QString Low = QStringLiteral("Вниз");
inline const QString Find = QStringLiteral("Найти");
inline const QString Next = QStringLiteral("далее...");

// Card design buttons and the header line.
inline const QString AddList = QStringLiteral("Добавить список");
inline const QString AddText = QStringLiteral("Добавить текст");
inline const QString AddFrase = QStringLiteral("Добавить фразу");
inline const QString AddPic = QStringLiteral("Добавить картинку");
inline const QString AddNum = QStringLiteral("Добавить число");
inline const QString HeadNam = QStringLiteral("Новое поле");
inline const QString Label2 = QStringLiteral("Заглавие:");
inline const QString SetPass = QStringLiteral("Установить пароль");
inline const QString Locker = QStringLiteral("Фиксировать");

// Menus.
inline const QString MenuVorn = QStringLiteral("Ворн");
inline const QString MenuCounting = QStringLiteral("Посчитать");
inline const QString MenuHelp = QStringLiteral("Помощь");
inline const QString MenuAbout = QStringLiteral("О программе");
inline const QString MenuReadme = QStringLiteral("Readme .txt");
inline const QString MenuMisk = QStringLiteral("Разное");
inline const QString MenuFront = QStringLiteral("Заглавный");

// Messages.
inline const QString About =
    QStringLiteral("Тессаворн v0.99b\n\nИнструкции читайте в файле Readme.txt .");
inline const QString WrongPassword = QStringLiteral("Неверный пароль!");
inline const QString FoundPrefix = QStringLiteral("Найдено");
inline const QString FoundSuffix = QStringLiteral(" случаев.");
// %1: the largest number of entries.
inline const QString VornFull = QStringLiteral("В ворне уже %1 записей: больше добавить нельзя.");
inline const QString MenuEdit = QStringLiteral("Правка");
} // namespace ViewText

// The names of the steps undo and redo take, as they follow «Отменить» and «Повторить».
namespace StepText {
inline const QString AddEntry = QStringLiteral("добавление записи");
inline const QString RemoveEntry = QStringLiteral("удаление записи");
inline const QString MoveEntry = QStringLiteral("перемещение записи");
inline const QString AddBox = QStringLiteral("добавление поля");
inline const QString MoveBox = QStringLiteral("перемещение поля");
inline const QString RetypeBox = QStringLiteral("смену типа поля");
inline const QString RemoveBox = QStringLiteral("удаление поля");
inline const QString HeadPose = QStringLiteral("смену места заголовка");
inline const QString Renew = QStringLiteral("обновление заголовка");
inline const QString Title = QStringLiteral("выбор заглавного поля");
inline const QString Picture = QStringLiteral("выбор картинки");
inline const QString InsertItem = QStringLiteral("вставку элемента");
inline const QString AddItems = QStringLiteral("добавление элементов");
inline const QString DelItems = QStringLiteral("удаление элементов");
inline const QString CopyList = QStringLiteral("копирование списка");
inline const QString PasteList = QStringLiteral("вставку списка");
inline const QString Password = QStringLiteral("установку пароля");
inline const QString OutputOrder = QStringLiteral("изменение порядка вывода");
} // namespace StepText
