// The hidden host form: loaded for the whole run, never shown. It is the
// window the audio device is bound to and the surface through which text is
// measured. Its one-second timer unloads it once it is the only form left.
#pragma once

#include <memory>
#include <string>

#include "platform/forms.h"

class kivFormType : public platform::Form {
  public:
    kivFormType();
    platform::Timer tmrMain;

  protected:
    void Form_Load() override;

  private:
    void tmrMain_Timer();
};

extern std::unique_ptr<kivFormType> kivForm;

// True when a loaded form has exactly this name (letter case counts).
bool IsFormLoaded(const std::string& pFormName);
