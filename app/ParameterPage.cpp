#include "app/ParameterPage.h"

ParameterPage::ParameterPage(MainWindow* owner, int templateId, const QString& title,
                             bool factoryOnly)
    : owner_(owner), templateId_(templateId), title_(title), factoryOnly_(factoryOnly) {
    setObjectName(QString("page%1").arg(templateId));
}
