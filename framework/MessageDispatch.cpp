#include "framework/MessageDispatch.h"

#include "framework/AppError.h"
#include "framework/DialogService.h"
#include "framework/SilentAbort.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QtGlobal>

void MessageDispatch::run(const std::function<void()>& body)
{
    try {
        body();
    } catch (...) {
        report(std::current_exception());
    }
}

void MessageDispatch::report(std::exception_ptr failure)
{
    QString message;
    try {
        std::rethrow_exception(failure);
    } catch (const SilentAbort&) {
        return;
    } catch (const AppError& error) {
        message = error.message();
    } catch (const std::bad_alloc&) {
        message = StringTable::load(StringId::OutOfMemory);
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = StringTable::load(StringId::UnknownFailure);
    }
    try {
        DialogService::instance().showError(errorBoxText(message));
    } catch (...) {
        qWarning("Failure while reporting a failure: %s", qUtf8Printable(message));
    }
}

QString MessageDispatch::errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}
