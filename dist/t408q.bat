@REM t408q_水平寸法線＋クイック（前回の設定のまま、ダイアログなしで追加）
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
t408q.exe
