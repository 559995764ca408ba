<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>HistoryWindowDelegate</name>
    <message>
        <source>Copy</source>
        <translation>복사</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>고정 해제</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>고정</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>항목 없음</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>텍스트나 이미지를 복사하면(Ctrl+C) 여기에 표시됩니다.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>검색</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>일치하는 항목 없음</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>모두 지우기</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>복사됨</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>기록을 모두 지울까요?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>고정된 항목도 지우기</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>%1번째 항목 (전체 %2개), 고정됨</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>%1번째 항목 (전체 %2개)</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>더 이상 사용할 수 없습니다. ×로 삭제하십시오</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[파일]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[이미지]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[콘텐츠]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>붙여넣기 단축키:</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>단축키를 누르세요…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>변경</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>새 단축키를 누르세요. Esc를 누르면 취소됩니다.</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 키는 글자 입력에 쓰입니다. Ctrl, Alt 또는 Super가 들어간 단축키를 기록하세요.</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 키는 모든 프로그램에서 편집에 쓰입니다. 다른 단축키를 기록하세요.</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>GNOME 통합 켜기</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>GNOME 통합은 다음 로그인부터 켜집니다. 로그아웃한 뒤 다시 로그인하세요.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>GNOME 통합이 설치되어 있지 않아 켜지 못했습니다. Quillstack 패키지를 다시 설치하세요.</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>GNOME 통합이 꺼져 있어 단축키와 붙여넣기가 일부 창에서만 작동합니다.</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>재시작 후에도 기록 보관</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>%1에 보관됩니다. 끄면 삭제되며, 고정된 항목은 어느 쪽이든 보관됩니다.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Return</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>스페이스</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter(숫자 키패드)</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>←</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>→</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>Caps Lock</translation>
    </message>
</context>
<context>
    <name>OnboardingPanel</name>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>System</source>
        <translation>시스템 기본값</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>이전</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>건너뛰기</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>사용 방법</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>평소처럼 복사 — Ctrl+C. 텍스트가 기록에 저장됩니다.</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>기록에서 붙여넣기: %1 — 최근 복사 목록을 엽니다.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Enter 또는 더블 클릭 — 선택한 항목을 이전 창에 붙여넣습니다.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>목록이 열린 상태에서 입력하면 걸러집니다 — 일치하는 항목만 남습니다.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P 또는 핀 — 항목을 맨 위에 고정하고 디스크에 저장해 다시 시작해도 남깁니다.</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>선택 방법</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — 목록에서 항목을 선택합니다.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Enter 또는 더블 클릭 — 이전 창에 붙여넣습니다. 단축키를 다시 누르거나 Esc — 붙여넣지 않고 닫습니다.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — 서식 없이 텍스트만 붙여넣습니다.</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Delete 또는 × — 기록에서 삭제합니다.</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>메뉴와 설정</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>트레이 아이콘 클릭 — 기록, 설정, 종료.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>트레이 아이콘에서 기록 일시 중지 — 다시 시작할 때까지 복사한 내용은 남지 않습니다.</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>설정에서: 자동 시작, 단축키, 기록 개수, 복사 내용을 기록하지 않을 애플리케이션.</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Linux 데스크톱용 클립보드</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>복사 기록을 저장하고 단축키 하나로 어떤 항목이든 붙여넣을 수 있습니다.</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>다른 앱에 붙여넣기</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>다른 앱에 붙여넣을 수 있습니다.</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>1단계: 복사</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>두 텍스트를 모두 복사하세요 — 선택 후 Ctrl+C를 누르거나 복사 버튼을 사용합니다. 복사되면 블록이 초록색으로 바뀝니다.</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>둘 다 복사했습니다. ‘다음’을 클릭하세요.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>복사</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>2단계: 기록에서 붙여넣기</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>입력란 1에 ‘텍스트 1’, 입력란 2에 ‘텍스트 2’를 붙여넣으세요. %1 키를 눌러 목록에서 고르세요.</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>정답입니다! ‘완료’를 클릭하세요.</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>로그인할 때 Quillstack 실행</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>입력란 1 — 여기에 ‘텍스트 1’</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>입력란 2 — 여기에 ‘텍스트 2’</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>완료</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>다음</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack은 GNOME Shell 확장으로 Ctrl+V를 입력해 선택한 항목을 다른 앱에 붙여넣습니다.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack은 컴포지터의 가상 키보드로 Ctrl+V를 입력해 선택한 항목을 다른 앱에 붙여넣습니다.</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>항목을 고르면 Quillstack이 작업하던 창에 붙여넣습니다. 붙여넣기를 받지 않는 프로그램이라도 항목은 클립보드에 있으니 그곳에서 Ctrl+V를 누르세요.</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>텍스트 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>텍스트 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>붙여넣지 않았습니다. 다른 창이 앞에 있었습니다. 항목은 클립보드에 있으니 %1 키를 눌러 붙여넣으세요.</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>클립보드 — 더블 클릭하거나 ↑↓ Enter로 붙여넣기</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>클립보드 — ↑↓ Enter로 복사한 뒤 Ctrl+V를 누르세요</translation>
    </message>
    <message>
        <source>History</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>항목 없음</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>무언가를 복사하면 여기에 표시됩니다.</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>일치하는 항목 없음</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>기록에서 붙여넣기</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>잠금을 얻을 수 없습니다</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>기록 데이터베이스가 아닙니다</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>최신 버전의 Quillstack에서 만든 파일입니다</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>쓸 수 없습니다</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>읽을 수 없습니다</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>고정 항목 파일이 아닙니다</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>심볼릭 링크입니다</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>폴더가 아닙니다</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>다른 사용자의 소유입니다</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>다른 사용자가 변경할 수 있습니다</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>만들 수 없습니다</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>일반 파일이 아닙니다</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>너무 큽니다</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>설정되지 않았습니다</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>기록과 고정된 항목을 보관할 수 없습니다: %1 %2. 파일은 그대로 두었습니다. 다시 보관하려면 파일을 옮기세요.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>보관된 기록과 고정된 항목을 복원하지 못했습니다: %1 %2. 이름을 %3(으)로 바꿨습니다.</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>고정 항목을 복원하지 않았습니다: %1: %2. 파일 이름을 %3(으)로 바꿨습니다.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>기록과 고정된 항목을 저장하지 못했습니다: %1 %2. 이번 세션 동안 유지되며 다음 변경 시 다시 저장됩니다.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>설정 파일의 무시할 앱 목록을 읽을 수 없습니다. 대신 일반적인 암호 관리자를 무시합니다.</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack을 시작할 수 없습니다. 잠금 파일과 소켓을 둘 수 있는 신뢰할 만한 폴더가 없습니다.</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>설정…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>시작 안내</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>기록 일시 중지됨: 복사한 내용이 저장되지 않습니다</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>종료하면 기록의 항목 %n개가 지워집니다.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>고정된 항목은 유지됩니다. 대신 재시작 후에도 기록을 보관할 수 있습니다.</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>기록 보관 후 종료</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>종료 후 지우기</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Never</source>
        <translation>안 함</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5분</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15분</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30분</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1시간</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6시간</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24시간</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>%1 파일을 읽을 수 없습니다. 기본 설정을 사용 중이며 변경 사항을 저장할 수 없습니다.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>System</source>
        <translation>시스템 기본값</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>자동 시작</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>로그인할 때 실행</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>기록에서 붙여넣기</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>목록에서 ↑↓로 선택하고, Enter 또는 더블 클릭으로 이전 창에 붙여넣습니다. 단축키를 다시 누르거나 Esc를 누르면 붙여넣지 않고 닫힙니다.</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>암호 입력란에는 붙여넣지 못할 수 있습니다. 일부 프로그램은 보안을 위해 그곳에서 가상 키 입력을 무시합니다.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>기록 개수</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>자동 삭제 시간</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>선택한 시간보다 오래된 항목은 자동으로 삭제됩니다.</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>무시할 애플리케이션</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>이 애플리케이션 중 하나가 앞에 있는 동안 복사한 내용은 기록되지 않습니다.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>창 클래스 또는 앱 ID</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>추가</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>제거</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>애플리케이션 종료</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin은 데스크톱 항목이 허용한 프로그램에만 붙여 넣기 키를 입력해 줍니다. Quillstack을 패키지로 설치하거나, 이 빌드를 tools/run으로 시작하세요(tools/run이 그 항목을 씁니다). Quillstack은 다시 시작하지 않아도 바로 반영합니다. 그전까지는 항목을 고른 뒤 직접 Ctrl+V를 누르세요.</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>이 데스크톱은 프로그램이 다른 창에 키를 입력하지 못하게 합니다. 목록에서 항목을 고른 뒤 직접 Ctrl+V를 누르세요.</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>붙여넣으려면 X 서버의 XTEST 확장이 필요하지만 찾을 수 없습니다 — 선택한 항목은 복사만 되니 Ctrl+V로 붙여넣으세요.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland에서는 프로그램이 전역 단축키를 쓸 수 없습니다. 데스크톱의 키보드 설정에서 %1 키를 ‘quillstack --toggle-popup’ 명령에 지정하세요(sway: 설정의 bindsym, KDE Plasma: 단축키 → 새로 추가 → 명령, GNOME: 키보드 → 사용자 지정 단축키).</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>전역 단축키를 사용할 수 없습니다. 데스크톱의 키보드 단축키 설정에서 ‘quillstack --toggle-popup’ 명령에 단축키를 지정하세요.</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>키보드 단축키 설정 열기</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>다른 프로그램도 이 단축키를 사용하고 있어 둘 다 반응합니다. 다른 단축키를 기록하거나 해당 프로그램에서 이 단축키를 해제하세요.</translation>
    </message>
</context>
<context>
    <name>TrayPanel</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>TrayPanelView</name>
    <message>
        <source>paste from history</source>
        <translation>기록에서 붙여넣기</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>기록 다시 시작</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>기록 일시 중지</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>설정…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>시작 안내</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>종료</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>여기에는 트레이 아이콘이 없습니다. 기록은 응용 프로그램 메뉴의 Quillstack 또는 %1로, 설정은 %2로 여세요.</translation>
    </message>
</context>
</TS>
