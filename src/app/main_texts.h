#pragma once
// The main window's texts in both interface languages: captions, hints, menu captions,
// the grid header and the two button names. 45 means English; any other language code
// means Russian.
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
};

inline constexpr MainTexts kRussian = {
    "ЛКМ", "ПКМ", " Кн.", " Пауза", "Повторять:", "Текущее положение курсора:",
    "пауза (мс):", "кнопка:", "Добавить", "Сохранить", "Очистить", "Изменить паузу",
    "Автозапись", "Курсор", "Выполнить скрипт", "Установить задержку всем строкам скрипта",
    "Сохраненные скрипты", "Выполняемый скрипт",
    "Отображать положение курсора для выбранной строки скрипта", "Поверх остальных окон",
    "Редактировать", "Изменить координаты", "Удалить", "Загрузить", "Новый скрипт",
    "Обновить",
};

inline constexpr MainTexts kEnglish = {
    "LMB", "RMB", " Btn", " Delay", "Repeats:", "Current pointer location:", "delay (ms):",
    "button:", "Add", "Save", "Clear", "Set delay", "Auto rec", "Pointer", "Run script",
    "Set delay for all script lines", "Saved scripts", "Current script",
    "Show mouse pointer for selected script line", "Always on top", "Edit",
    "Set coordinates", "Delete", "Load", "New script", "Refresh",
};

inline const MainTexts& MainTextsFor(int language) {
  return language == 45 ? kEnglish : kRussian;
}

}  // namespace tappomat
