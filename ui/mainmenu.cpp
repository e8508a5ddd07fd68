#include "mainmenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <utility>

#include "uitexts.h"

MainMenu::MainMenu(QMenuBar* bar)
{
    fileMenu = bar->addMenu(QString());
    add(fileMenu, MenuCommand::open)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    add(fileMenu, MenuCommand::close);
    add(fileMenu, MenuCommand::reread)->setShortcut(QKeySequence(Qt::Key_F5));
    fileMenu->addSeparator();
    add(fileMenu, MenuCommand::openLimits);
    add(fileMenu, MenuCommand::closeLimits);
    fileMenu->addSeparator();
    add(fileMenu, MenuCommand::exportWorkbook);
    add(fileMenu, MenuCommand::averagedS2P);
    add(fileMenu, MenuCommand::saveImage);
    fileMenu->addSeparator();
    // The window's shortcuts: an edit box with the focus takes these keys for its own copy first.
    add(fileMenu, MenuCommand::copyImage)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    add(fileMenu, MenuCommand::copyTable)->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    fileMenu->addSeparator();
    add(fileMenu, MenuCommand::exit)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    viewMenu = bar->addMenu(QString());
    add(viewMenu, MenuCommand::normal, true);
    add(viewMenu, MenuCommand::largeGraph, true);
    viewMenu->addSeparator();
    add(viewMenu, MenuCommand::topmost, true);
    viewMenu->addSeparator();
    add(viewMenu, MenuCommand::smoothing, true);
    viewMenu->addSeparator();
    auto* chartKinds = new QActionGroup(bar);
    for (MenuCommand kind : { MenuCommand::frequencyChart, MenuCommand::smithChart, MenuCommand::polarChart })
        chartKinds->addAction(add(viewMenu, kind, true));
    add(viewMenu, MenuCommand::admittanceGrid, true);
    viewMenu->addSeparator();
    auto* phaseGroup = new QActionGroup(bar);
    for (const MenuCommand command :
        { MenuCommand::wrappedPhase, MenuCommand::unwrappedPhase, MenuCommand::groupDelay })
        phaseGroup->addAction(add(viewMenu, command, true));
    add(viewMenu, MenuCommand::delayAperture);
    viewMenu->addSeparator();
    add(viewMenu, MenuCommand::markers);
    viewMenu->addSeparator();
    languageMenu = viewMenu->addMenu(QString());
    add(languageMenu, MenuCommand::russian, true);
    add(languageMenu, MenuCommand::english, true);

    // The layouts and the languages are each one choice of two, marked as such.
    for (const auto& pair : { std::pair(MenuCommand::normal, MenuCommand::largeGraph),
             std::pair(MenuCommand::russian, MenuCommand::english) }) {
        auto* group = new QActionGroup(bar);
        group->addAction(action(pair.first));
        group->addAction(action(pair.second));
    }

    helpMenu = bar->addMenu(QString());
    add(helpMenu, MenuCommand::about);
}

QAction* MainMenu::add(QMenu* menu, MenuCommand command, bool checkable)
{
    QAction* action = menu->addAction(QString());
    action->setData(static_cast<int32_t>(command));
    action->setCheckable(checkable);
    actions.push_back(action);
    return action;
}

QAction* MainMenu::action(MenuCommand command) const
{
    for (QAction* candidate : actions) {
        if (commandOf(candidate) == static_cast<int32_t>(command))
            return candidate;
    }
    return nullptr;
}

int32_t MainMenu::commandOf(const QAction* action)
{
    return action != nullptr ? action->data().toInt() : 0;
}

void MainMenu::applyTexts(const UiTexts& texts)
{
    fileMenu->setTitle(texts.fileMenu);
    action(MenuCommand::open)->setText(texts.openCommand);
    action(MenuCommand::close)->setText(texts.closeCommand);
    action(MenuCommand::reread)->setText(texts.rereadCommand);
    action(MenuCommand::openLimits)->setText(texts.openLimitsCommand);
    action(MenuCommand::closeLimits)->setText(texts.closeLimitsCommand);
    action(MenuCommand::exportWorkbook)->setText(texts.exportCommand);
    action(MenuCommand::averagedS2P)->setText(texts.averagedCommand);
    action(MenuCommand::saveImage)->setText(texts.saveImageCommand);
    action(MenuCommand::copyImage)->setText(texts.copyImageCommand);
    action(MenuCommand::copyTable)->setText(texts.copyTableCommand);
    action(MenuCommand::exit)->setText(texts.exitCommand);
    viewMenu->setTitle(texts.viewMenu);
    action(MenuCommand::normal)->setText(texts.normalCommand);
    action(MenuCommand::largeGraph)->setText(texts.largeGraphCommand);
    action(MenuCommand::topmost)->setText(texts.topmostCommand);
    action(MenuCommand::smoothing)->setText(texts.smoothingCommand);
    action(MenuCommand::frequencyChart)->setText(texts.frequencyChartCommand);
    action(MenuCommand::smithChart)->setText(texts.smithChartCommand);
    action(MenuCommand::polarChart)->setText(texts.polarChartCommand);
    action(MenuCommand::admittanceGrid)->setText(texts.admittanceGridCommand);
    action(MenuCommand::wrappedPhase)->setText(texts.wrappedPhaseCommand);
    action(MenuCommand::unwrappedPhase)->setText(texts.unwrappedPhaseCommand);
    action(MenuCommand::groupDelay)->setText(texts.groupDelayCommand);
    action(MenuCommand::delayAperture)->setText(texts.delayApertureCommand);
    action(MenuCommand::markers)->setText(texts.markersCommand);
    languageMenu->setTitle(texts.languageMenu);
    action(MenuCommand::russian)->setText(texts.russianCommand);
    action(MenuCommand::english)->setText(texts.englishCommand);
    helpMenu->setTitle(texts.helpMenu);
    action(MenuCommand::about)->setText(texts.aboutCommand);
}

void MainMenu::setChecks(Language language, bool topmost, int32_t largeGraph, bool smoothing)
{
    action(MenuCommand::english)->setChecked(language == Language::english);
    action(MenuCommand::russian)->setChecked(language == Language::russian);
    action(MenuCommand::topmost)->setChecked(topmost);
    action(MenuCommand::normal)->setChecked(largeGraph == 0);
    action(MenuCommand::largeGraph)->setChecked(largeGraph == 1);
    action(MenuCommand::smoothing)->setChecked(smoothing);
}

void MainMenu::setChartChecks(ChartKind kind, bool admittance)
{
    action(MenuCommand::frequencyChart)->setChecked(kind == ChartKind::frequency);
    action(MenuCommand::smithChart)->setChecked(kind == ChartKind::smith);
    action(MenuCommand::polarChart)->setChecked(kind == ChartKind::polar);
    action(MenuCommand::admittanceGrid)->setChecked(admittance);
}

void MainMenu::setPhaseMode(int32_t phaseMode)
{
    action(MenuCommand::wrappedPhase)->setChecked(phaseMode != 1 && phaseMode != 2);
    action(MenuCommand::unwrappedPhase)->setChecked(phaseMode == 1);
    action(MenuCommand::groupDelay)->setChecked(phaseMode == 2);
}
