#pragma once
// Registration of each family of view classes; RegisterViewClasses calls them all, once.

void RegisterGenericViewClasses();     // BitmapControl, PButton, Canvas, HSlider, Knob, Slider, TextBox
void RegisterCanvasTextViewClasses();  // flCanvas, flExtText, flEQType
void RegisterKnobViewClasses();        // flKnob, flKnob2, flKnob3, flTextKnob
void RegisterSliderViewClasses();      // flVSlider, flHSlider
void RegisterTrayViewClasses();        // flTray, flTray2, flTray3, flTray4
void RegisterMeterViewClasses();       // flPPM, flInvPPM
void RegisterLedViewClasses();         // flExtLed, flRateLed, flFXLed
void RegisterMixSelectViewClasses();   // flCueMixButton, flIpMixButton
void RegisterButtonViewClasses();      // flButton, flButton2, flPushButton, flHPushButton, flFXPushButton, flLogoButton
void RegisterClipboardViewClasses();   // flCopyButton, flPasteButton
