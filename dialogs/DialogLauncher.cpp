#include "dialogs/DialogLauncher.h"

#include "dialogs/TAboutBox.h"
#include "dialogs/TForm1.h"
#include "dialogs/TForm2.h"

#include <memory>

namespace {
template <class T> void showModal(QWidget* owner)
{
    // TForm::create destroys what it made when reading the layout fails.
    const std::unique_ptr<T> dialog(TForm::create<T>(owner));
    dialog->ShowModal();
}
} // namespace

void DialogLauncher::showAbout(QWidget* owner)
{
    showModal<TAboutBox>(owner);
}

void DialogLauncher::showWorldTimes(QWidget* owner)
{
    showModal<TForm1>(owner);
}

void DialogLauncher::showMetricTables(QWidget* owner)
{
    showModal<TForm2>(owner);
}
