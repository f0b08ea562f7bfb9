#pragma once

#include "presenters/FileCommands.h"
#include "presenters/ChartPresenter.h"
#include "presenters/BookWindowPresenter.h"
#include "presenters/CalendarPresenter.h"
#include "presenters/EditCommands.h"
#include "presenters/InputPresenter.h"
#include "presenters/MatterEditorPresenter.h"
#include "shell/MainWindowPresenter.h"

namespace purslet {

class App;

// Every presenter of the program, built once by the composition root and
// handed to the windows that forward their events to them.
class Presenters final
{
public:
    explicit Presenters(App &app)
        : app(app), input(app), calendar(app, input), matterEditor(app), edit(app, matterEditor),
          bookWindow(app, edit), files(app), chart(app), main(app, files, edit, chart)
    {
    }

    Presenters(const Presenters &) = delete;
    Presenters &operator=(const Presenters &) = delete;

    App &app;
    InputPresenter input;
    CalendarPresenter calendar;
    MatterEditorPresenter matterEditor;
    EditCommands edit;
    BookWindowPresenter bookWindow;
    FileCommands files;
    ChartPresenter chart;
    MainWindowPresenter main;
};

} // namespace purslet
