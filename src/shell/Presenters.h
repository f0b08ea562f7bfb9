#pragma once

#include "files/FileCommands.h"
#include "graph/ChartPresenter.h"
#include "ledger/BookWindowPresenter.h"
#include "ledger/CalendarPresenter.h"
#include "ledger/EditCommands.h"
#include "ledger/InputPresenter.h"
#include "matters/MatterEditorPresenter.h"
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
