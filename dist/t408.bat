@REM t408_水平寸法線＋（直前の水平寸法の外側に寸法を追加）
@echo off
goto run
REM #jww
REM #cd
REM #h0
REM #zw
REM #zz
REM #1寸法を追加する位置を指示して下さい (L)free (R)Read
REM #e
:run
t408.exe
