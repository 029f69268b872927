-- The STRUC_REQ and POSS_VALS rows of the structural worked examples (61 to 72
-- and 74 to 76), each what a save of the example's fields writes for the system
-- ESD, so that See Example fills every field of the structural templates.

-- Template #21: Entity/Type Definition
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityBasic, "Position", TCodeStrS)
VALUES (61, 21, 2, 'cargo reservations', 0, 'ke');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityBasic, "Position", TCodeStrS)
VALUES (62, 21, 2, 'passenger boarding bridges', 0, 'ke');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityBasic, "Position", TCodeStrS)
VALUES (63, 21, 2, 'runway weather stations', 0, 'ke');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityBasic, "Position", TCodeStrS)
VALUES (64, 21, 2, 'remote parking stands', 0, 'ke');
-- Template #19: Attribute Definition
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, StateVal, AttrName, PossVal, DataType, "Default", "Position", TCodeStrS)
VALUES (65, 19, 0, 'runway weather station', '0', 'wind sensor', '0', '-1', 'nominal', 0, 'kezalglglglg');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, StateVal, AttrName, PossVal, DataType, "Default", "Position", TCodeStrS)
VALUES (66, 19, 0, 'passenger boarding bridge', '0', 'docking status', '0', '-1', 'stowed', 0, 'kezalglglglg');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, StateVal, AttrName, PossVal, DataType, "Default", "Position", TCodeStrS)
VALUES (67, 19, 0, 'cargo reservation', '1', 'shipment weight', '1', '1', '0', 0, 'keza');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, StateVal, AttrName, PossVal, DataType, "Default", "Position", TCodeStrS)
VALUES (68, 19, 0, 'passenger flight', '1', 'stopovers', '1', '0', '0', 0, 'keza');
-- Template #20: Composition Definition
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityWithList, Cardinality, TypeInList, EntityInList, "Position", TCodeStrS)
VALUES (69, 20, 0, 'terminal concourse', '3', 'boarding', 'gates', 0, 'kpe');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityWithList, Cardinality, TypeInList, EntityInList, "Position", TCodeStrS)
VALUES (70, 20, 1, 'airline', '2', 'passenger', 'planes', 0, 'kpe');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityWithList, HowMany, Cardinality, TypeInList, EntityInList, "Position", TCodeStrS)
VALUES (71, 20, 0, 'runway weather station', '2', '-1', 'wind', 'sensors', 0, 'kpe');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityWithList, Cardinality, TypeInList, EntityInList, "Position", TCodeStrS)
VALUES (72, 20, 0, 'passenger boarding bridge', '0', 'preconditioned air', 'unit', 0, 'kpe');
-- Template #22: Message Definition
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, AttrName, PossVal, DataType, "Position", "From", "To", TCodeStrS)
VALUES (74, 22, 0, 'gate arrival message', 'flight number', '1', '2', 1, '1', '9999', 'keza');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, AttrName, PossVal, DataType, "Position", TCodeStrS)
VALUES (75, 22, 0, 'gate arrival message', 'arrival time', '1', '1', 3, 'keza');
INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityAttr, AttrName, PossVal, DataType, "Position", TCodeStrS)
VALUES (76, 22, 0, 'gate arrival message', 'gate identifier', '0', '1', 2, 'kezalglglglg');

-- The possible values, in the order the saves listed them.
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (1, 65, 'caution');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (2, 65, 'hazardous');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (3, 65, 'nominal');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (4, 65, 'warning');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (5, 66, 'docked');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (6, 66, 'extending');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (7, 66, 'retracted');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (8, 66, 'stowed');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (9, 76, '5A');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (10, 76, '5B');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (11, 76, 'NE CARGO');
INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (12, 76, 'SW CARGO');
