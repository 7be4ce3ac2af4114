#include "ErrorReport.h"

#include <cstdio>

namespace {
ErrorReport::Handler gHandler;
}

namespace ErrorReport {

void SetHandler(Handler handler)
{
    gHandler = std::move(handler);
}

void Show(const QString &message)
{
    if (gHandler) {
        gHandler(message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

} // namespace ErrorReport
