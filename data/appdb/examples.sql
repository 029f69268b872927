-- Worked examples of the application database for the ESD airport system: the
-- row that each template's See Example reads, the Requirement Builder's example
-- (73), and the three rows per template that the navigators show from their first
-- example row. A navigator counts rows from 1 in Req_Num order, so Req_Num n is
-- row n. Each functional row is what a save of its fields for the system ESD
-- writes; the structural rows of STRUC_REQ and POSS_VALS are in structuralexamples.sql.

-- Template #9: Event (navigator rows 1 to 3; example 2)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (1, 'Functional', 9, 'Hardware', 1, 1, 1, 'None', 'The ESD system shall',
        'illuminate the taxiway centerline lights when the visibility category of the airfield weather report changes from VFR to IFR',
        1, '12-6-2026', 'Worked example of Template #9: Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (1, 9, 0, '', 'illuminate', '', 'the taxiway centerline', 'lights', '0',
        'the visibility category of', 'the airfield weather', 'report', 'changes', '1', 'VFR', '0',
        'IFR', 'dtewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (2, 'Functional', 9, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to notify the operational subsystem when the wind sensor of a runway weather station changes from nominal to caution',
        2, '12-6-2026', 'Worked example of Template #9: Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (2, 9, 1, '', 'to notify', '', '', 'the operational subsystem', '0', 'the wind sensor of',
        '', 'a runway weather station', 'changes', '1', 'nominal', '0', 'caution', 'dewaecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (3, 'Functional', 9, 'Software', 2, 1, 1, 'None', 'The ESD system shall enable the',
        'terminal duty manager to open the overflow passenger screening lane when the wait time status of the main security checkpoint changes from normal to congested',
        3, '12-6-2026', 'Worked example of Template #9: Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (3, 9, 3, 'terminal duty manager', 'to open', '', 'the overflow passenger screening', 'lane',
        '0', 'the wait time status of', 'the main security', 'checkpoint', 'changes', '1', 'normal',
        '0', 'congested', 'kdtewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (4, 'Functional', 9, 'Software', 1, 1, 1, 'None', 'The ESD system shall prevent the',
        'ramp agents from operating the ramp belt loaders once the lightning alert of the lightning detection system changes from clear to active',
        4, '12-6-2026', 'Worked example of Template #9: Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (4, 9, 6, 'ramp agents', 'from operating', '', 'the ramp belt', 'loaders', '2',
        'the lightning alert of', 'the lightning detection', 'system', 'changes', '1', 'clear', '0',
        'active', 'kdtewatecmgmg');

-- Template #18: Temporal Event (navigator rows 5 to 7; example 5)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (5, 'Functional', 18, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to generate concessionaire statements every 4 months if the classification of a concessionaire is airport affiliated',
        5, '12-6-2026', 'Worked example of Template #18: Temporal Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (5, 18, 1, '', 'to generate', '', 'concessionaire', 'statements', '0', '4', 'months', '0',
        'the classification of', '', 'a concessionaire', '0', 'airport affiliated', 'dteyquiaelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (6, 'Functional', 18, 'Software', 3, 2, 1, 'None', 'The ESD system shall',
        'archive the flight information display logs at 0200 hours',
        6, '12-6-2026', 'Worked example of Template #18: Temporal Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (6, 18, 0, '', 'archive', '', 'the flight information display', 'logs', '1', '0200', 'hours',
        '-1', '', '', '', '-1', '', 'dteyqu');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (7, 'Functional', 18, 'Performance', 2, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to poll the surface condition of the runway friction sensors every 10 minutes if the precipitation status of the airfield weather station is not equal to dry',
        7, '12-6-2026', 'Worked example of Template #18: Temporal Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (7, 18, 1, '', 'to poll', 'the surface condition of', 'the runway friction', 'sensors', '0',
        '10', 'minutes', '0', 'the precipitation status of', 'the airfield weather', 'station', '2',
        'dry', 'dateyquiatelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (8, 'Functional', 18, 'Software', 3, 2, 1, 'None', 'The ESD system shall allow the',
        'parking administrator to issue overdue parking notices every 7 days if the balance of the parking customer account is > or = to 50 dollars',
        8, '12-6-2026', 'Worked example of Template #18: Temporal Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (8, 18, 4, 'parking administrator', 'to issue', '', 'overdue parking', 'notices', '0', '7',
        'days', '0', 'the balance of', 'the parking customer', 'account', '5', '50 dollars',
        'kdteyquiatelg');

-- Template #15: Relative Time (navigator rows 9 to 11; example 10)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (9, 'Functional', 15, 'User Interface', 2, 1, 1, 'None', 'The ESD system shall',
        'announce the final boarding call of the departing flight 10 minutes before the boarding door of the departing flight is closed',
        9, '12-6-2026', 'Worked example of Template #15: Relative Time.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (9, 15, 0, '', 'announce', 'the final boarding call of', 'the departing', 'flight', '10',
        'minutes', '0', 'the boarding door of', 'the departing', 'flight', 'is closed', '-1', '',
        '-1', '', 'datequbatec');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (10, 'Functional', 15, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to reset the watering duration of a perimeter sprinkler zone 2 minutes after the auto shut off of the perimeter sprinkler timer has switched from on to off',
        10, '12-6-2026', 'Worked example of Template #15: Relative Time.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (10, 15, 1, '', 'to reset', 'the watering duration of', 'a perimeter sprinkler', 'zone', '2',
        'minutes', '1', 'the auto shut off of', 'the perimeter sprinkler', 'timer', 'has switched',
        '1', 'on', '0', 'off', 'datequfatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (11, 'Functional', 15, 'Software', 2, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to clear the hold status of unclaimed gate assignments 20 minutes after the arrival status of the assigned flight has changed from delayed to cancelled',
        11, '12-6-2026', 'Worked example of Template #15: Relative Time.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (11, 15, 1, '', 'to clear', 'the hold status of', 'unclaimed gate', 'assignments', '20',
        'minutes', '1', 'the arrival status of', 'the assigned', 'flight', 'has changed', '1',
        'delayed', '0', 'cancelled', 'datequfatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (12, 'Functional', 15, 'Performance', 1, 1, 1, 'None', 'The ESD system shall',
        'close the dispensing valves of the hydrant fuel system 5 seconds after the pressure alarm of the hydrant fuel pump is switched from off to on',
        12, '12-6-2026', 'Worked example of Template #15: Relative Time.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (12, 15, 0, '', 'close', 'the dispensing valves of', 'the hydrant fuel', 'system', '5',
        'seconds', '1', 'the pressure alarm of', 'the hydrant fuel', 'pump', 'is switched', '1',
        'off', '0', 'on', 'datequfatecmgmg');

-- Template #11: External Interaction (navigator rows 13 to 15; example 13)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (13, 'Functional', 11, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to send a severe weather report to the airport website when the verification of a severe weather report has been changed from pending to approved',
        13, '12-6-2026', 'Worked example of Template #11: External Interaction.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      TCodeStrF)
VALUES (13, 11, 1, '', 'to send', 'a severe weather', 'report', '0', 'the airport website', '0',
        'the verification of', 'a severe weather', 'report', 'has been changed', '1', 'pending',
        '0', 'approved', 'dtexewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (14, 'Functional', 11, 'Software', 1, 1, 1, 'None', 'The ESD system shall',
        'transmit flight arrival notices to the airline operations centers when the arrival status of an inbound flight is changed from en route to landed',
        14, '12-6-2026', 'Worked example of Template #11: External Interaction.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      TCodeStrF)
VALUES (14, 11, 0, '', 'transmit', 'flight arrival', 'notices', '0',
        'the airline operations centers', '0', 'the arrival status of', 'an inbound', 'flight',
        'is changed', '1', 'en route', '0', 'landed', 'dtexewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (15, 'Functional', 11, 'Software', 2, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to request the current flight plan from the airline dispatch system when the departure status of a scheduled flight has changed from planned to boarding',
        15, '12-6-2026', 'Worked example of Template #11: External Interaction.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      TCodeStrF)
VALUES (15, 11, 1, '', 'to request', 'the current flight', 'plan', '1',
        'the airline dispatch system', '0', 'the departure status of', 'a scheduled', 'flight',
        'has changed', '1', 'planned', '0', 'boarding', 'dtexewatecmgmg');

-- Template #12: External Interaction with External Event (navigator rows 16 to 18; example 18)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (16, 'Functional', 12, 'Software', 2, 1, 1, 'None', 'The ESD system shall',
        'forward the gate change notices to the passenger paging system when a gate reassignment message is received from an airline host system',
        16, '12-6-2026', 'Worked example of Template #12: External Interaction with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, TCodeStrF)
VALUES (16, 12, 0, '', 'forward', 'the gate change', 'notices', '0', 'the passenger paging system',
        '0', 'a gate reassignment', 'message', '1', 'an airline host system', 'dtexewtexe');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (17, 'Functional', 12, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to send a runway inspection request to the airfield operations vehicle when a bird strike report is received from the control tower',
        17, '12-6-2026', 'Worked example of Template #12: External Interaction with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, TCodeStrF)
VALUES (17, 12, 1, '', 'to send', 'a runway inspection', 'request', '0',
        'the airfield operations vehicle', '0', 'a bird strike', 'report', '1', 'the control tower',
        'dtexewtexe');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (18, 'Functional', 12, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to send an emergency call to Police when a hijack alert is received from the Air Traffic Control system',
        18, '12-6-2026', 'Worked example of Template #12: External Interaction with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, TCodeStrF)
VALUES (18, 12, 1, '', 'to send', 'an emergency', 'call', '0', 'Police', '0', 'a hijack', 'alert',
        '1', 'the Air Traffic Control system', 'dtexewtexe');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (19, 'Functional', 12, 'Software', 1, 1, 1, 'None', 'The ESD system shall enable the',
        'security coordinator to request a perimeter sweep from the airport police when an intrusion alarm is sent to the security operations center',
        19, '12-6-2026', 'Worked example of Template #12: External Interaction with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, TCodeStrF)
VALUES (19, 12, 3, 'security coordinator', 'to request', 'a perimeter', 'sweep', '1',
        'the airport police', '0', 'an intrusion', 'alarm', '0', 'the security operations center',
        'kdtexewtexe');

-- Template #1: Association (navigator rows 20 to 22; example 23)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (20, 'Functional', 1, 'Software', 2, 2, 1, 'None', 'The ESD system shall',
        'compute the landing fee of an arriving aircraft using the maximum landing weight of the aircraft registration record when the arrival status of the arriving aircraft is changed from taxiing to parked',
        20, '12-6-2026', 'Worked example of Template #1: Association.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (20, 1, 0, '', 'compute', 'the landing fee of', 'an arriving', 'aircraft', '1',
        'the maximum landing weight of', 'the aircraft registration', 'record', '0',
        'the arrival status of', 'the arriving', 'aircraft', 'is changed', '1', 'taxiing', '0',
        'parked', 'datehatewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (21, 'Functional', 1, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to assign a baggage claim carousel to an arriving international flight once the customs status of the international flight is changed from pending to cleared',
        21, '12-6-2026', 'Worked example of Template #1: Association.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (21, 1, 1, '', 'to assign', '', 'a baggage claim', 'carousel', '4', '',
        'an arriving international', 'flight', '2', 'the customs status of', 'the international',
        'flight', 'is changed', '1', 'pending', '0', 'cleared', 'dtehtewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (22, 'Functional', 1, 'Software', 3, 2, 1, 'None', 'The ESD system shall allow the',
        'maintenance planner to schedule the annual inspection of a passenger boarding bridge with the airside maintenance contractor when the service counter of the boarding bridge reaches its limit',
        22, '12-6-2026', 'Worked example of Template #1: Association.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (22, 1, 4, 'maintenance planner', 'to schedule', 'the annual inspection of',
        'a passenger boarding', 'bridge', '0', '', 'the airside maintenance', 'contractor', '0',
        'the service counter of', 'the boarding', 'bridge', 'reaches its limit', '-1', '', '-1', '',
        'kdatehtewatec');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (23, 'Functional', 1, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to assess the weight of foreign cargo using the import calibration of the runway freight scale when the transit status of the foreign cargo is updated from in flight to on premises',
        23, '12-6-2026', 'Worked example of Template #1: Association.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (23, 1, 1, '', 'to assess', 'the weight of', '', 'foreign cargo', '1',
        'the import calibration of', 'the runway freight', 'scale', '0', 'the transit status of',
        'the foreign', 'cargo', 'is updated', '1', 'in flight', '0', 'on premises',
        'daehatewatecmgmg');

-- Template #6: Composition (navigator rows 24 to 26; example 27)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (24, 'Functional', 6, 'Hardware', 1, 1, 1, 'None', 'The ESD system shall',
        'lower the vehicle barrier of the service road crossing when the crossing status of a taxiing aircraft changes from clear to approaching',
        24, '12-6-2026', 'Worked example of Template #6: Composition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (24, 6, 0, '', 'lower', '', 'the vehicle barrier of', 'the service road', 'crossing', '0',
        'the crossing status of', '', 'a taxiing', 'aircraft', 'changes', '1', 'clear', '0',
        'approaching', '-1', '', '', '', '-1', '', 'dptewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (25, 'Functional', 6, 'Software', 2, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to switch off the edge lights of the secondary runway when the closure status of the secondary runway changes from open to closed if the lighting circuit of the secondary runway is energized',
        25, '12-6-2026', 'Worked example of Template #6: Composition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (25, 6, 1, '', 'to switch off', '', 'the edge lights of', 'the secondary', 'runway', '0',
        'the closure status of', '', 'the secondary', 'runway', 'changes', '1', 'open', '0',
        'closed', '0', 'the lighting circuit of', 'the secondary', 'runway', '0', 'energized',
        'dptewatecmgmgiptelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (26, 'Functional', 6, 'Software', 1, 1, 1, 'None', 'The ESD system shall enable the',
        'baggage system operator to stop the drive motor of the outbound baggage conveyor when the status of the photo eye of the outbound baggage conveyor changes from clear to blocked',
        26, '12-6-2026', 'Worked example of Template #6: Composition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (26, 6, 3, 'baggage system operator', 'to stop', '', 'the drive motor of',
        'the outbound baggage', 'conveyor', '0', 'the status of', 'the photo eye of',
        'the outbound baggage', 'conveyor', 'changes', '1', 'clear', '0', 'blocked', '-1', '', '',
        '', '-1', '', 'kdptewaptecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (27, 'Functional', 6, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to double the flash-rate of the approach signal of the main runway when the status of the wind sensor of a main runway weather station changes from normal to caution if the wind sensor of the main runway weather station is calibrated',
        27, '12-6-2026', 'Worked example of Template #6: Composition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (27, 6, 1, '', 'to double', 'the flash-rate of', 'the approach signal of', 'the main',
        'runway', '0', 'the status of', 'the wind sensor of', 'a main runway', 'weather station',
        'changes', '1', 'normal', '0', 'caution', '0', 'the wind sensor of', 'the main runway',
        'weather station', '0', 'calibrated', 'daptewaptecmgmgiptelg');

-- Template #3: Attribute Modification (navigator rows 28 to 30; example 28)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (28, 'Functional', 3, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to change the flash-rate of runway lighting from moderate to moderately fast when a landing plane is transitioned from near to approach',
        28, '12-6-2026', 'Worked example of Template #3: Attribute Modification.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (28, 3, 1, '', 'to change', 'the flash-rate of', 'runway', 'lighting', '1', 'moderate', '0',
        'moderately fast', '0', '', 'a landing', 'plane', 'is transitioned', '1', 'near', '0',
        'approach', 'datemgmgwtecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (29, 'Functional', 3, 'User Interface', 1, 1, 1, 'None', 'The ESD system shall',
        'change the display mode of the gate information displays from boarding to gate closed when the boarding door of the departing flight is closed',
        29, '12-6-2026', 'Worked example of Template #3: Attribute Modification.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (29, 3, 0, '', 'change', 'the display mode of', 'the gate information', 'displays', '1',
        'boarding', '0', 'gate closed', '0', 'the boarding door of', 'the departing', 'flight',
        'is closed', '-1', '', '-1', '', 'datemgmgwatec');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (30, 'Functional', 3, 'Software', 3, 2, 1, 'None', 'The ESD system shall allow the',
        'parking supervisor to set the rate plan of the short term parking garage to peak when the occupancy level of the short term parking garage changes from normal to high',
        30, '12-6-2026', 'Worked example of Template #3: Attribute Modification.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (30, 3, 4, 'parking supervisor', 'to set', 'the rate plan of', 'the short term parking',
        'garage', '-1', '', '0', 'peak', '0', 'the occupancy level of', 'the short term parking',
        'garage', 'changes', '1', 'normal', '0', 'high', 'kdatemgwatecmgmg');

-- Template #5: Attribute Modification with External Event (navigator rows 31 to 33; example 31)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (31, 'Functional', 5, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to change the flash-rate of runway lighting from moderate to moderately fast when a steep approach A/G message is received from a plane',
        31, '12-6-2026', 'Worked example of Template #5: Attribute Modification with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (31, 5, 1, '', 'to change', 'the flash-rate of', 'runway', 'lighting', '1', 'moderate', '0',
        'moderately fast', '0', 'a steep approach', 'A/G message', '1', 'a plane', 'datemgmgwtexe');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (32, 'Functional', 5, 'Software', 1, 1, 1, 'None', 'The ESD system shall',
        'change the availability status of the assigned gate from occupied to available when a pushback confirmation message is received from the ramp control tower',
        32, '12-6-2026', 'Worked example of Template #5: Attribute Modification with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (32, 5, 0, '', 'change', 'the availability status of', 'the assigned', 'gate', '1',
        'occupied', '0', 'available', '0', 'a pushback confirmation', 'message', '1',
        'the ramp control tower', 'datemgmgwtexe');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (33, 'Functional', 5, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to set the alert level of the emergency operations center to red when an aircraft emergency notification is received from the approach control facility',
        33, '12-6-2026', 'Worked example of Template #5: Attribute Modification with External Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, TCodeStrF)
VALUES (33, 5, 1, '', 'to set', 'the alert level of', 'the emergency operations', 'center', '-1',
        '', '0', 'red', '0', 'an aircraft emergency', 'notification', '1',
        'the approach control facility', 'datemgwtexe');

-- Template #7: Distinguishing Attribute (navigator rows 34 to 36; example 35)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (34, 'Functional', 7, 'Software', 2, 1, 1, 'None', 'The ESD system shall',
        'recall the electric baggage tugs that have a battery charge less than 20 percent when the operating status of the tug charging station changes from busy to available',
        34, '12-6-2026', 'Worked example of Template #7: Distinguishing Attribute.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, TCodeStrF)
VALUES (34, 7, 0, '', 'recall', 'the electric baggage', 'tugs', '1', 'a battery charge', '4',
        '20 percent', '-1', '', '0', 'the operating status of', 'the tug charging', 'station',
        'changes', '1', 'busy', '0', 'available', 'dtezalgwatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (35, 'Functional', 7, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to rotate the main gate sprinklers that have a spray pattern of half to full when the water level of the rain gauge has fallen from normal to drought',
        35, '12-6-2026', 'Worked example of Template #7: Distinguishing Attribute.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, TCodeStrF)
VALUES (35, 7, 1, '', 'to rotate', 'the main gate', 'sprinklers', '1', 'a spray pattern', '0',
        'half', '0', 'full', '0', 'the water level of', 'the rain', 'gauge', 'has fallen', '1',
        'normal', '0', 'drought', 'dtezalgmgwatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (36, 'Functional', 7, 'Software', 1, 1, 1, 'None', 'The ESD system shall prohibit the',
        'fuel dispatchers from assigning the hydrant fuel trucks that have an inspection status of overdue',
        36, '12-6-2026', 'Worked example of Template #7: Distinguishing Attribute.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, TCodeStrF)
VALUES (36, 7, 5, 'fuel dispatchers', 'from assigning', 'the hydrant fuel', 'trucks', '1',
        'an inspection status', '0', 'overdue', '-1', '', '-1', '', '', '', '', '-1', '', '-1', '',
        'kdtezalg');

-- Template #16: Spatial Relationship (navigator rows 37 to 39; example 37)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (37, 'Functional', 16, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to open the receiving terminal bay behind the terminal when the location of the baggage tram has changed from in transit to at terminal',
        37, '12-6-2026', 'Worked example of Template #16: Spatial Relationship.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (37, 16, 1, '', 'to open', 'the receiving terminal', 'bay', 'behind', '', 'the terminal',
        '0', 'the location of', 'the baggage', 'tram', 'has changed', '1', 'in transit', '0',
        'at terminal', 'dtesewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (38, 'Functional', 16, 'Hardware', 1, 1, 1, 'None', 'The ESD system shall',
        'activate the stop bar lights at the runway holding position when the occupancy status of the main runway changes from clear to occupied',
        38, '12-6-2026', 'Worked example of Template #16: Spatial Relationship.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (38, 16, 0, '', 'activate', 'the stop bar', 'lights', 'at', 'the runway holding', 'position',
        '0', 'the occupancy status of', 'the main', 'runway', 'changes', '1', 'clear', '0',
        'occupied', 'dtestewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (39, 'Functional', 16, 'Software', 3, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to open the overflow taxi stand next to the arrivals curb when the queue status of the main taxi stand changes from normal to full',
        39, '12-6-2026', 'Worked example of Template #16: Spatial Relationship.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, TCodeStrF)
VALUES (39, 16, 1, '', 'to open', 'the overflow taxi', 'stand', 'next to', 'the arrivals', 'curb',
        '0', 'the queue status of', 'the main taxi', 'stand', 'changes', '1', 'normal', '0', 'full',
        'dtestewatecmgmg');

-- Template #13: How with Event (navigator rows 40 to 42; example 42)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (40, 'Functional', 13, 'Software', 1, 1, 1, 'None', 'The ESD system shall',
        'sort the outbound bags in the baggage makeup area by the departure time of the assigned flight when the makeup status of the departing flight changes from closed to open',
        40, '12-6-2026', 'Worked example of Template #13: How with Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, TCodeStrF)
VALUES (40, 13, 0, '', 'sort', '', 'the outbound', 'bags', 'in', '', 'the baggage makeup', 'area',
        '0', 'the departure time of', '', 'the assigned', 'flight', '0', 'the makeup status of', '',
        'the departing', 'flight', 'changes', '1', 'closed', '0', 'open', 'dtestejatewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (41, 'Functional', 13, 'Software', 2, 1, 1, 'None', 'The ESD system shall allow the',
        'ramp controller to assign the remote parking stands near the cargo terminal based on the wingspan of arriving cargo aircraft once the flight status of the cargo aircraft is changed from airborne to landed',
        41, '12-6-2026', 'Worked example of Template #13: How with Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, TCodeStrF)
VALUES (41, 13, 4, 'ramp controller', 'to assign', '', 'the remote parking', 'stands', 'near', '',
        'the cargo', 'terminal', '1', 'the wingspan of', '', 'arriving cargo', 'aircraft', '2',
        'the flight status of', '', 'the cargo', 'aircraft', 'is changed', '1', 'airborne', '0',
        'landed', 'kdtestejatewatecmgmg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (42, 'Functional', 13, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to prioritize the seating assignment of Priority Club members in the passenger manifest based on the accumulated points of Priority Club members after the passenger manifest is changed from prescheduled to scheduled',
        42, '12-6-2026', 'Worked example of Template #13: How with Event.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, TCodeStrF)
VALUES (42, 13, 1, '', 'to prioritize', 'the seating assignment of', 'Priority Club', 'members',
        'in', '', 'the passenger', 'manifest', '1', 'the accumulated points of', '',
        'Priority Club', 'members', '4', '', '', 'the passenger', 'manifest', 'is changed', '1',
        'prescheduled', '0', 'scheduled', 'dptestejateftecmgmg');

-- Template #10: Event with Condition (navigator rows 43 to 45; example 45)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (43, 'Functional', 10, 'Software', 1, 1, 1, 'None', 'The ESD system shall',
        'dispatch the airport fire rescue units when the emergency status of an arriving aircraft changes from normal to declared if the emergency category of the arriving aircraft is fire or is hydraulic failure',
        43, '12-6-2026', 'Worked example of Template #10: Event with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      TCodeStrF)
VALUES (43, 10, 0, '', 'dispatch', '', 'the airport fire rescue', 'units', '0',
        'the emergency status of', 'an arriving', 'aircraft', 'changes', '1', 'normal', '0',
        'declared', '0', 'the emergency category of', 'the arriving', 'aircraft', '0', 'fire', '0',
        '0', 'hydraulic failure', 'dtewatecmgmgiatelgrlg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (44, 'Functional', 10, 'Software', 1, 1, 1, 'None', 'The ESD system shall enable the',
        'airfield duty officer to close the crosswind runway when the wind direction of the airfield weather station changes from west to north if the crosswind component of the crosswind runway is greater than 20 knots',
        44, '12-6-2026', 'Worked example of Template #10: Event with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      TCodeStrF)
VALUES (44, 10, 3, 'airfield duty officer', 'to close', '', 'the crosswind', 'runway', '0',
        'the wind direction of', 'the airfield weather', 'station', 'changes', '1', 'west', '0',
        'north', '0', 'the crosswind component of', 'the crosswind', 'runway', '3', '20 knots',
        '-1', '-1', '', 'kdtewatecmgmgiatelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (45, 'Functional', 10, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to reinitiate the connection of G/G communications when the acknowledgement of G/G communications has changed from in contact to out of contact if the channel of the G/G communication line is OK or is degraded',
        45, '12-6-2026', 'Worked example of Template #10: Event with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      TCodeStrF)
VALUES (45, 10, 1, '', 'to reinitiate', 'the connection of', 'G/G', 'communications', '0',
        'the acknowledgement of', 'G/G', 'communications', 'has changed', '1', 'in contact', '0',
        'out of contact', '0', 'the channel of', 'the G/G communication', 'line', '0', 'OK', '0',
        '0', 'degraded', 'datewatecmgmgiatelgrlg');

-- Template #2: Association with Condition (navigator rows 46 to 48; example 46)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (46, 'Functional', 2, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to create a maintenance trouble ticket using the facilities subsystem if the electrical status of a terminal shuttle is down or is in repair',
        46, '12-6-2026', 'Worked example of Template #2: Association with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (46, 2, 1, '', 'to create', '', 'a maintenance trouble', 'ticket', '1', '', 'the facilities',
        'subsystem', '0', 'the electrical status of', 'a terminal', 'shuttle', '0', 'down', '0',
        '0', 'in repair', 'dtehteiatelgrlg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (47, 'Functional', 2, 'Software', 1, 1, 1, 'None', 'The ESD system shall',
        'reconcile the checked bags of a departing flight with the passenger manifest of the departing flight if the inspection status of the baggage screening system is degraded or is offline',
        47, '12-6-2026', 'Worked example of Template #2: Association with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (47, 2, 0, '', 'reconcile', 'the checked bags of', 'a departing', 'flight', '0',
        'the passenger manifest of', 'the departing', 'flight', '0', 'the inspection status of',
        'the baggage screening', 'system', '0', 'degraded', '0', '0', 'offline',
        'datehateiatelgrlg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (48, 'Functional', 2, 'Software', 3, 2, 1, 'None', 'The ESD system shall allow the',
        'facilities manager to open an escalator repair work order for the elevator maintenance contractor if the operating status of a terminal escalator is stopped or is in fault',
        48, '12-6-2026', 'Worked example of Template #2: Association with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, TCodeStrF)
VALUES (48, 2, 4, 'facilities manager', 'to open', '', 'an escalator repair', 'work order', '3', '',
        'the elevator maintenance', 'contractor', '0', 'the operating status of', 'a terminal',
        'escalator', '0', 'stopped', '0', '0', 'in fault', 'kdtehteiatelgrlg');

-- Template #4: Attribute Modification with Condition (navigator rows 49 to 51; example 49)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (49, 'Functional', 4, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to update the status of the auxiliary taxiway from inactive to active if the status of the primary taxiway is inactive and the usability of the main runway is compromised',
        49, '12-6-2026', 'Worked example of Template #4: Attribute Modification with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, TCodeStrF)
VALUES (49, 4, 1, '', 'to update', 'the status of', 'the auxiliary', 'taxiway', '1', 'inactive',
        '0', 'active', '0', 'the status of', 'the primary', 'taxiway', '0', 'inactive', '0',
        'the usability of', 'the main', 'runway', '0', 'compromised', 'datemgmgiatelgoatelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (50, 'Functional', 4, 'Performance', 3, 3, 1, 'None', 'The ESD system shall',
        'set the operating mode of the terminal air handlers from day to night if the occupancy level of the main terminal is less than 10 percent and the departure schedule of the main terminal is complete',
        50, '12-6-2026', 'Worked example of Template #4: Attribute Modification with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, TCodeStrF)
VALUES (50, 4, 0, '', 'set', 'the operating mode of', 'the terminal air', 'handlers', '1', 'day',
        '0', 'night', '0', 'the occupancy level of', 'the main', 'terminal', '4', '10 percent', '0',
        'the departure schedule of', 'the main', 'terminal', '0', 'complete',
        'datemgmgiatelgoatelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (51, 'Functional', 4, 'Software', 1, 1, 1, 'None', 'The ESD system shall enable the',
        'airfield lighting technician to change the intensity step of the approach lighting system from step 3 to step 5 if the runway visual range of the instrument runway is less than 800 meters or the cloud ceiling of the airfield is less than 200 feet',
        51, '12-6-2026', 'Worked example of Template #4: Attribute Modification with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, TCodeStrF)
VALUES (51, 4, 3, 'airfield lighting technician', 'to change', 'the intensity step of',
        'the approach lighting', 'system', '1', 'step 3', '0', 'step 5', '0',
        'the runway visual range of', 'the instrument', 'runway', '4', '800 meters', '1',
        'the cloud ceiling of', '', 'the airfield', '4', '200 feet', 'kdatemgmgiatelgoaelg');

-- Template #8: Distinguishing Attribute with Condition (navigator rows 52 to 54; example 54)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (52, 'Functional', 8, 'Software', 1, 1, 1, 'None', 'The ESD system shall',
        'suspend the airside access badges that have a training status of expired if the threat level of the airport is elevated',
        52, '12-6-2026', 'Worked example of Template #8: Distinguishing Attribute with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (52, 8, 0, '', 'suspend', 'the airside access', 'badges', '1', 'a training status', '0',
        'expired', '-1', '', '0', 'the threat level of', '', 'the airport', '0', 'elevated', '-1',
        '', '', '', '-1', '', 'dtezalgiaelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (53, 'Functional', 8, 'Software', 2, 2, 1, 'None', 'The ESD system shall provide the capability',
        'to move long stay parked aircraft that have a stand type of contact to remote if the stand demand of the main apron is greater than 90 percent and the arrival queue of the airfield is greater than 5 aircraft',
        53, '12-6-2026', 'Worked example of Template #8: Distinguishing Attribute with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (53, 8, 1, '', 'to move', 'long stay parked', 'aircraft', '1', 'a stand type', '0',
        'contact', '0', 'remote', '0', 'the stand demand of', 'the main', 'apron', '3',
        '90 percent', '0', 'the arrival queue of', '', 'the airfield', '3', '5 aircraft',
        'dtezalgmgiatelgoaelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (54, 'Functional', 8, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to change passenger reservations that have a class type of business to first class if the capacity of the passenger flight is less than half or the stopovers of the passenger flight is greater than 2',
        54, '12-6-2026', 'Worked example of Template #8: Distinguishing Attribute with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (54, 8, 1, '', 'to change', 'passenger', 'reservations', '1', 'a class type', '0',
        'business', '0', 'first class', '0', 'the capacity of', 'the passenger', 'flight', '4',
        'half', '1', 'the stopovers of', 'the passenger', 'flight', '3', '2',
        'dtezalgmgiatelgoatelg');

-- Template #14: How with Condition (navigator rows 55 to 57; example 55)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (55, 'Functional', 14, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to list the maker of rental vehicles in the administrative section of the rental summary by the account number of the maker of the rental vehicle if the date of the rental summary is less than 2004',
        55, '12-6-2026', 'Worked example of Template #14: How with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, TCodeStrF)
VALUES (55, 14, 1, '', 'to list', 'the maker of', 'rental', 'vehicles', 'in',
        'the administrative section of', 'the rental', 'summary', '0', 'the account number of',
        'the maker of', 'the rental', 'vehicle', '0', 'the date of', '', 'the rental', 'summary',
        '4', '2004', '-1', '-1', '', 'dptesptejapteiatelg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (56, 'Functional', 14, 'User Interface', 1, 1, 1, 'None', 'The ESD system shall',
        'list the arriving flights on the baggage claim display by the carousel number of the arriving flight if the display mode of the baggage claim display is arrivals or is mixed',
        56, '12-6-2026', 'Worked example of Template #14: How with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, TCodeStrF)
VALUES (56, 14, 0, '', 'list', '', 'the arriving', 'flights', 'on', '', 'the baggage claim',
        'display', '0', 'the carousel number of', '', 'the arriving', 'flight', '0',
        'the display mode of', '', 'the baggage claim', 'display', '0', 'arrivals', '0', '0',
        'mixed', 'dtestejateiatelgrlg');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (57, 'Functional', 14, 'Software', 2, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to queue the departing aircraft at the holding bay of the remote deicing pad based on the departure sequence of the departing aircraft if the deicing condition of the airfield is active or is on standby',
        57, '12-6-2026', 'Worked example of Template #14: How with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, TCodeStrF)
VALUES (57, 14, 1, '', 'to queue', '', 'the departing', 'aircraft', 'at', 'the holding bay of',
        'the remote deicing', 'pad', '1', 'the departure sequence of', '', 'the departing',
        'aircraft', '0', 'the deicing condition of', '', '', 'the airfield', '0', 'active', '0',
        '0', 'on standby', 'dtesptejateiaelgrlg');

-- Template #17: Spatial Relationship with Condition (navigator rows 58 to 60; example 60)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (58, 'Functional', 17, 'Hardware', 1, 1, 1, 'None', 'The ESD system shall',
        'illuminate the runway guard lights when the occupancy status of the main runway changes from clear to occupied if a ground service vehicle is within the safety area of the main runway',
        58, '12-6-2026', 'Worked example of Template #17: Spatial Relationship with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (58, 17, 0, '', 'illuminate', '', 'the runway guard', 'lights', '0',
        'the occupancy status of', 'the main', 'runway', 'changes', '1', 'clear', '0', 'occupied',
        '0', '', 'a ground service', 'vehicle', 'is within', 'the safety area of', 'the main',
        'runway', 'dtewatecmgmgitespte');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (59, 'Functional', 17, 'Software', 1, 1, 1, 'None', 'The ESD system shall prevent the',
        'bridge operator from extending the passenger boarding bridge when the parking status of the arriving aircraft changes from taxiing to stopped if a baggage tractor is inside the clearance zone of the gate',
        59, '12-6-2026', 'Worked example of Template #17: Spatial Relationship with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (59, 17, 6, 'bridge operator', 'from extending', '', 'the passenger boarding', 'bridge', '0',
        'the parking status of', 'the arriving', 'aircraft', 'changes', '1', 'taxiing', '0',
        'stopped', '0', '', 'a baggage', 'tractor', 'is inside', 'the clearance zone of', '',
        'the gate', 'kdtewatecmgmgitespe');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (60, 'Functional', 17, 'Software', 1, 1, 1, 'None', 'The ESD system shall provide the capability',
        'to suspend operation of a curbside baggage handling station when use of the fire lane has been changed from accessible to blocked if a tire of an emergency vehicle is within the white zone of the fire lane',
        60, '12-6-2026', 'Worked example of Template #17: Spatial Relationship with Condition.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, TCodeStrF)
VALUES (60, 17, 1, '', 'to suspend', 'operation of', 'a curbside baggage handling', 'station', '0',
        'use of', 'the fire', 'lane', 'has been changed', '1', 'accessible', '0', 'blocked', '0',
        'a tire of', 'an emergency', 'vehicle', 'is within', 'the white zone of', 'the fire',
        'lane', 'datewatecmgmgiptespte');

-- Template #21: Entity/Type Definition (navigator rows 61 to 63; example 61)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (61, 'Structural', 21, 'Software', 1, 1, 1, 'None', 'The ESD system shall include',
        'cargo reservations',
        61, '12-6-2026', 'Worked example of Template #21: Entity/Type Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (62, 'Structural', 21, 'Software', 1, 1, 1, 'None', 'The ESD system shall include',
        'passenger boarding bridges',
        62, '12-6-2026', 'Worked example of Template #21: Entity/Type Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (63, 'Structural', 21, 'Software', 1, 1, 1, 'None', 'The ESD system shall include',
        'runway weather stations',
        63, '12-6-2026', 'Worked example of Template #21: Entity/Type Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (64, 'Structural', 21, 'Software', 1, 1, 1, 'None', 'The ESD system shall include',
        'remote parking stands',
        64, '12-6-2026', 'Worked example of Template #21: Entity/Type Definition.');

-- Template #19: Attribute Definition (navigator rows 65 to 67; example 65)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (65, 'Structural', 19, 'Software', 1, 1, 1, 'None', 'A',
        'runway weather station shall include a state attribute named wind sensor with the possible value(s): caution, hazardous, nominal, warning and a default of nominal',
        65, '12-6-2026', 'Worked example of Template #19: Attribute Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (66, 'Structural', 19, 'Software', 1, 1, 1, 'None', 'A',
        'passenger boarding bridge shall include a state attribute named docking status with the possible value(s): docked, extending, retracted, stowed and a default of stowed',
        66, '12-6-2026', 'Worked example of Template #19: Attribute Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (67, 'Structural', 19, 'Software', 1, 1, 1, 'None', 'A',
        'cargo reservation shall include a value attribute named shipment weight with the data type of decimal and a default of 0',
        67, '12-6-2026', 'Worked example of Template #19: Attribute Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (68, 'Structural', 19, 'Software', 1, 1, 1, 'None', 'A',
        'passenger flight shall include a value attribute named stopovers with the data type of integer and a default of 0',
        68, '12-6-2026', 'Worked example of Template #19: Attribute Definition.');

-- Template #20: Composition Definition (navigator rows 69 to 71; example 70)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (69, 'Structural', 20, 'Software', 1, 1, 1, 'None', 'A',
        'terminal concourse shall include 1..n boarding gates',
        69, '12-6-2026', 'Worked example of Template #20: Composition Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (70, 'Structural', 20, 'Software', 1, 1, 1, 'None', 'An',
        'airline shall include 0..n passenger planes',
        70, '12-6-2026', 'Worked example of Template #20: Composition Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (71, 'Structural', 20, 'Software', 1, 1, 1, 'None', 'A',
        'runway weather station shall include 2 wind sensors',
        71, '12-6-2026', 'Worked example of Template #20: Composition Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (72, 'Structural', 20, 'Software', 1, 1, 1, 'None', 'A',
        'passenger boarding bridge shall include a preconditioned air unit',
        72, '12-6-2026', 'Worked example of Template #20: Composition Definition.');

-- Requirement Builder (example 73)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (73, 'Functional', 0, 'Software', 1, 1, 1, 'None', 'The ESD system shall enable the',
        'gate agent to close the boarding door of the departing aircraft before the passenger jet bridge is retracted from docked to stowed if the cabin crew is ready or is standing by',
        73, '12-6-2026', 'Worked example of the Requirement Builder.');
INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field0, Field1, Field2, Field3, Field4, Field5,
                      Field6, Field7, Field8, Field9, Field10, Field11, Field12, Field13, Field14,
                      Field15, Field16, Field17, Field18, Field19, Field20, Field21, Field22,
                      Field23, Field24, Field25, Field26, Field27, TCodeStrF)
VALUES (73, 0, 3, 'gate agent', 'to close', 'the boarding door of', 'the departing', 'aircraft',
        'before', 'the passenger', 'jet bridge', 'is retracted', 'from', 'docked', 'to', 'stowed',
        'if', 'the cabin', 'crew', 'is', 'ready', 'or', 'is', 'standing by', NULL, NULL, NULL, NULL,
        NULL, NULL, NULL, 'kdatebtecmgmgitelgrlg');

-- Template #22: Message Definition (navigator rows 74 to 76; example 76)
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (74, 'Structural', 22, 'Software', 1, 1, 1, 'None', 'A',
        'gate arrival message shall include a flight number field with a range of 1 to 9999',
        74, '12-6-2026', 'Worked example of Template #22: Message Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (75, 'Structural', 22, 'Software', 1, 1, 1, 'None', 'A',
        'gate arrival message shall include an arrival time field',
        75, '12-6-2026', 'Worked example of Template #22: Message Definition.');
INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum,
                        Preamble, ReqText, OrigReqNum, DateSaved, Comments)
VALUES (76, 'Structural', 22, 'Software', 1, 1, 1, 'None', 'A',
        'gate arrival message shall include a gate identifier field with the possible value(s): 5A, 5B, NE CARGO, SW CARGO',
        76, '12-6-2026', 'Worked example of Template #22: Message Definition.');
