' A script client of KVHooks.dll: registers it, creates every class, switches hooks and
' timers and checks the hooked pairs of a window, then unregisters it. (Wine's script host
' cannot receive events; a C++ client tests those.) Argument: the path of KVHooks.dll.

Dim hook
Set hook = CreateObject("KVHooks.clsSystemHook")
Check Not hook.EnableKeyBoard, "keyboard hook off at start"
hook.EnableKeyBoard = True
Check hook.EnableKeyBoard, "keyboard hook on"
hook.EnableMouse = True
hook.EnableMouse = False
Check Not hook.EnableMouse, "mouse hook off again"
Set hook = Nothing

Dim timer
Set timer = CreateObject("KVHooks.clsTimer")
timer.Interval = 250
timer.Enable = True
Check timer.Enable And timer.Interval = 250, "timer enabled"
timer.Enable = False
Check Not timer.Enable, "timer disabled"

' Window 0 is no window: hooking it records the pair and subclasses nothing.
Dim subclass
Set subclass = CreateObject("KVHooks.clsSubClass")
subclass.Hook(0, 130) = True
Check subclass.Hook(0, 130), "pair recorded"
Check subclass.IsHooked(0) = 1, "one pair of window 0"
subclass.UnHookAll
Check subclass.IsHooked(0) = 0, "no pair after UnHookAll"

Dim data
Set data = CreateObject("KVHooks.clsHookData")
data.Message = 130
data.hWnd = 4242
Check data.Message = 130 And data.hWnd = 4242, "record keeps its values"
Check Not CreateObject("KVHooks.clsPublicConsts") Is Nothing, "constants class"

Finish
