#pragma once

#include <QString>
#include <functional>
#include <map>

class FormBase;

// Every window of the program by name. Windows that are not built yet are
// listed with an empty constructor, so the menus can show them disabled.
std::map<QString, std::function<FormBase *()>> programWindows();
