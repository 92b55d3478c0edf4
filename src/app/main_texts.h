#pragma once
// The program's texts in both interface languages: the main window's captions, hints,
// menu captions and grid header, the two button names, the messages of the script
// library, and the captions the row editor and the hot-key help window take from the
// language switch. 45 means English; any other language code means Russian.
namespace tappomat {

struct MainTexts {
  const char* leftButton;
  const char* rightButton;
  const char* buttonHeader;
  const char* delayHeader;
  const char* repeats;
  const char* pointerLocation;
  const char* delay;
  const char* button;
  const char* add;
  const char* save;
  const char* clear;
  const char* setDelay;
  const char* autoRecord;
  const char* pointer;
  const char* run;
  const char* setDelayHint;  // also the set-all-delays menu item
  const char* listHint;
  const char* gridHint;
  const char* pointerHint;
  const char* onTopHint;
  const char* edit;
  const char* setCoordinates;
  const char* deleteRow;
  const char* load;
  const char* newScript;
  const char* refresh;
  // Script library messages. The overwrite question is before + name + after.
  const char* emptyScript;
  const char* overwriteBefore;
  const char* overwriteAfter;
  const char* namePrompt;
  const char* rowsCut;    // a file with more rows than the table takes
  const char* noEditor;   // followed by the file's path
  // Row editor and hot-key help window.
  const char* autoPick;
  const char* cancel;
  const char* recordChord;
  const char* runChord;
  // At the first start on XWayland.
  const char* xwaylandNotice;
};

inline constexpr MainTexts kRussian = {
    "ЛКМ", "ПКМ", " Кн.", " Пауза", "Повторять:", "Текущее положение курсора:",
    "пауза (мс):", "кнопка:", "Добавить", "Сохранить", "Очистить", "Изменить паузу",
    "Автозапись", "Курсор", "Выполнить скрипт", "Установить задержку всем строкам скрипта",
    "Сохраненные скрипты", "Выполняемый скрипт",
    "Отображать положение курсора для выбранной строки скрипта", "Поверх остальных окон",
    "Редактировать", "Изменить координаты", "Удалить", "Загрузить", "Новый скрипт",
    "Обновить",
    "Скрипт пуст.", "Скрипт ", " уже существует, перезаписать?", "Введите название скрипта",
    "Скрипт длиннее 100000 строк, загружены первые 100000.",
    "Не удалось запустить текстовый редактор (его команду можно задать в переменной "
    "окружения TAPPOMAT_EDITOR) для файла ",
    "Авто", "Отмена", "- Старт/Стоп автозаписи скрипта", "- Старт/Стоп выполнения скрипта",
    "Это сеанс Wayland: Tappomat работает в нём через XWayland, слой совместимости для "
    "программ X11. Его щелчки и сочетания Alt+F1 и Alt+F2 действуют только в окнах "
    "программ X11; окна программ Wayland их не получают.\n\n"
    "Чтобы Tappomat работал со всеми программами, выйдите из сеанса и на экране входа "
    "выберите сеанс X11 (часто он называется «... на Xorg»; выбор прячется под значком "
    "шестерёнки или в меню сеансов).",
};

inline constexpr MainTexts kEnglish = {
    "LMB", "RMB", " Btn", " Delay", "Repeats:", "Current pointer location:", "delay (ms):",
    "button:", "Add", "Save", "Clear", "Set delay", "Auto rec", "Pointer", "Run script",
    "Set delay for all script lines", "Saved scripts", "Current script",
    "Show mouse pointer for selected script line", "Always on top", "Edit",
    "Set coordinates", "Delete", "Load", "New script", "Refresh",
    "Script is empty.", "", " script already exists, rewrite?", "Enter script name",
    "The script has more than 100000 rows; the first 100000 were loaded.",
    "No text editor could be started (the environment variable TAPPOMAT_EDITOR can name "
    "one) for the file ",
    "Auto", "Cancel", "- Run/Stop script recording", "- Run/Stop script execution",
    "This is a Wayland session: Tappomat runs in it through XWayland, the compatibility "
    "layer for X11 programs. Its clicks and the Alt+F1 and Alt+F2 chords work only in "
    "windows of X11 programs; windows of Wayland programs do not receive them.\n\n"
    "To use Tappomat with every program, log out and choose an X11 session on the login "
    "screen (often called \"... on Xorg\"; the choice hides behind a gear icon or in a "
    "session menu).",
};

inline const MainTexts& MainTextsFor(int language) {
  return language == 45 ? kEnglish : kRussian;
}

}  // namespace tappomat
