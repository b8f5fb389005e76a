<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AccessReader</name>
    <message numerus="yes">
        <source>the Access engine did not finish within %n second(s); the file may be damaged</source>
        <translation>
            <numerusform>the Access engine did not finish within %n second; the file may be damaged</numerusform>
            <numerusform>the Access engine did not finish within %n seconds; the file may be damaged</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BankCheck</name>
    <message numerus="yes">
        <source>the bank holds %n question(s), fewer than the %1 a contest asks: the contest could never end</source>
        <translation>
            <numerusform>the bank holds %n question, fewer than the %1 a contest asks: the contest could never end</numerusform>
            <numerusform>the bank holds %n questions, fewer than the %1 a contest asks: the contest could never end</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BankTool</name>
    <message numerus="yes">
        <source>wrote %n question(s) to %1</source>
        <translation>
            <numerusform>wrote %n question to %1</numerusform>
            <numerusform>wrote %n questions to %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>imported %n question(s) to %1</source>
        <translation>
            <numerusform>imported %n question to %1</numerusform>
            <numerusform>imported %n questions to %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ready: %n question(s) in %1</source>
        <translation>
            <numerusform>ready: %n question in %1</numerusform>
            <numerusform>ready: %n questions in %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not ready: %n problem(s) in %1</source>
        <translation>
            <numerusform>not ready: %n problem in %1</numerusform>
            <numerusform>not ready: %n problems in %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n used mark(s)</source>
        <translation>
            <numerusform>%n used mark</numerusform>
            <numerusform>%n used marks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n question(s)</source>
        <translation>
            <numerusform>%n question</numerusform>
            <numerusform>%n questions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>wrote %n answer(s) to %1</source>
        <translation>
            <numerusform>wrote %n answer to %1</numerusform>
            <numerusform>wrote %n answers to %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>question %1: %2% right of %n answer(s)</source>
        <translation>
            <numerusform>question %1: %2% right of %n answer</numerusform>
            <numerusform>question %1: %2% right of %n answers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; wrong answer chosen most: %1 (%n time(s))</source>
        <translation>
            <numerusform>; wrong answer chosen most: %1 (%n time)</numerusform>
            <numerusform>; wrong answer chosen most: %1 (%n times)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>wrote %n page(s) to %1</source>
        <translation>
            <numerusform>wrote %n page to %1</numerusform>
            <numerusform>wrote %n pages to %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message numerus="yes">
        <source>%n column(s)</source>
        <translation>
            <numerusform>%n column</numerusform>
            <numerusform>%n columns</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuestionFile</name>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>and %n more</numerusform>
            <numerusform>and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The question file has %n fault(s); each is to be corrected before a contest is made of it:</source>
        <translation>
            <numerusform>The question file has %n fault; it is to be corrected before a contest is made of it:</numerusform>
            <numerusform>The question file has %n faults; each is to be corrected before a contest is made of it:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TeacherWindow</name>
    <message numerus="yes">
        <source>Wrote %n page(s) to %1.</source>
        <translation>
            <numerusform>Wrote %n page to %1.</numerusform>
            <numerusform>Wrote %n pages to %1.</numerusform>
        </translation>
    </message>
</context>
</TS>
