#include "app/kivForm.h"

std::unique_ptr<kivFormType> kivForm;

kivFormType::kivFormType() : platform::Form("kivForm") {
    tmrMain.Interval = 1000;
    tmrMain.OnTimer = [this] { tmrMain_Timer(); };
}

void kivFormType::Form_Load() {
    tmrMain.SetEnabled(true);
}

void kivFormType::tmrMain_Timer() {
    const auto& forms = platform::Forms();
    if (forms.size() == 1 && forms.front() == this) Unload();
}

bool IsFormLoaded(const std::string& pFormName) {
    for (const platform::Form* form : platform::Forms()) {
        if (form->Name() == pFormName) return true;
    }
    return false;
}
