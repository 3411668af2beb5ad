#pragma once

#include <QString>
#include <functional>
#include <map>

class FormBase;

// Every window of the program by name. A window listed with an empty
// constructor would be shown disabled by the menus.
std::map<QString, std::function<FormBase *()>> programWindows();
