#include "CtrlPanel/effects/AmpModel.h"

#include "CtrlPanel/effects/AmpModel0.h"
#include "CtrlPanel/effects/AmpModel1.h"
#include "CtrlPanel/effects/AmpModel2.h"
#include "CtrlPanel/effects/AmpModel3.h"

AmpModel* AmpModel::ForIndex(int index)
{
    // Built on first use, so a shaper built during static initialisation finds them too.
    static AmpModel0 model0;
    static AmpModel1 model1;
    static AmpModel2 model2;
    static AmpModel3 model3;
    static AmpModel* const models[kModelCount] = {&model0, &model1, &model2, &model3};
    return index >= 0 && index < kModelCount ? models[index] : models[0];
}
